#include "toolkit/unique_handle.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The program as built, beside this test program.
std::string ProgramPath() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + "Lumatag.exe";
}

// The bytes of one resource of the program, empty when it has none of that type and name.
std::string_view ResourceBytes(HMODULE module, LPCSTR type, LPCSTR name) {
    const HRSRC found = FindResourceA(module, name, type);
    if (found == nullptr) {
        return {};
    }
    const HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return {};
    }
    return {static_cast<const char*>(bytes), SizeofResource(module, found)};
}

class ProgramResourcesTest : public testing::Test {
protected:
    void SetUp() override {
        // Loaded as data only: nothing of the program runs.
        program_.reset(LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        ASSERT_TRUE(program_) << ProgramPath();
    }

    HMODULE Program() const { return program_.get(); }

    UniqueLibrary program_;
};

#pragma pack(push, 2)
struct IconDirectoryEntry { // GRPICONDIRENTRY, as stored in an RT_GROUP_ICON resource
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};
#pragma pack(pop)

TEST_F(ProgramResourcesTest, IconOneIsThirtyTwoPixelsSquareInThirtyTwoBitsWithTransparency) {
    const std::string_view group = ResourceBytes(Program(), RT_GROUP_ICON, MAKEINTRESOURCEA(1));
    ASSERT_GE(group.size(), 6 + sizeof(IconDirectoryEntry));
    const auto count = *reinterpret_cast<const WORD*>(group.data() + 4);
    ASSERT_EQ(count, 1);
    IconDirectoryEntry entry{};
    std::memcpy(&entry, group.data() + 6, sizeof entry);
    EXPECT_EQ(entry.width, 32);
    EXPECT_EQ(entry.height, 32);
    EXPECT_EQ(entry.bitCount, 32);

    const std::string_view image = ResourceBytes(Program(), RT_ICON, MAKEINTRESOURCEA(entry.id));
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER) + 32 * 32 * 4);
    BITMAPINFOHEADER header{};
    std::memcpy(&header, image.data(), sizeof header);
    EXPECT_EQ(header.biWidth, 32);
    EXPECT_EQ(header.biHeight, 64) << "the colour picture and its mask";
    EXPECT_EQ(header.biBitCount, 32);
    // The alpha channel is in use: clear corners, opaque body.
    int clear = 0;
    int opaque = 0;
    for (size_t pixel = 0; pixel < 32 * 32; ++pixel) {
        const auto alpha = static_cast<BYTE>(image[sizeof header + pixel * 4 + 3]);
        clear += alpha == 0 ? 1 : 0;
        opaque += alpha == 255 ? 1 : 0;
    }
    EXPECT_GT(clear, 32);
    EXPECT_GT(opaque, 256);

    const HANDLE icon = LoadImageA(Program(), MAKEINTRESOURCEA(1), IMAGE_ICON, 32, 32, 0);
    EXPECT_NE(icon, nullptr);
    if (icon != nullptr) {
        DestroyIcon(static_cast<HICON>(icon));
    }
}

TEST_F(ProgramResourcesTest, TheManifestAsksForVersionSixOfTheCommonControls) {
    const std::string manifest(ResourceBytes(Program(), MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1)));
    const size_t name = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(name, std::string::npos) << manifest;
    // The version belongs to the same assembly identity as the name.
    const size_t start = manifest.rfind("<assemblyIdentity", name);
    const size_t end = manifest.find("/>", name);
    ASSERT_NE(start, std::string::npos);
    ASSERT_NE(end, std::string::npos);
    const std::string identity = manifest.substr(start, end - start);
    EXPECT_NE(identity.find("version=\"6.0.0.0\""), std::string::npos) << identity;
    EXPECT_NE(identity.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos);
    EXPECT_NE(identity.find("processorArchitecture=\"x86\""), std::string::npos);
}

class ProgramVersionTest : public testing::Test {
protected:
    void SetUp() override {
        const std::string path = ProgramPath();
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
        ASSERT_GT(size, 0u) << path;
        info_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info_.data()));
    }

    std::string Text(const std::string& name) {
        struct Translation {
            WORD language;
            WORD codePage;
        };
        void* translations = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(info_.data(), "\\VarFileInfo\\Translation", &translations, &length) ||
            length < sizeof(Translation)) {
            return "(no translation)";
        }
        const auto* first = static_cast<const Translation*>(translations);
        char path[128] = {};
        wsprintfA(path, "\\StringFileInfo\\%04x%04x\\%s", first->language, first->codePage,
                  name.c_str());
        void* value = nullptr;
        if (!VerQueryValueA(info_.data(), path, &value, &length) || length == 0) {
            return "(missing)";
        }
        return static_cast<const char*>(value);
    }

    std::vector<char> info_;
};

TEST_F(ProgramVersionTest, FileAndProductVersionsAreOneTwoOne) {
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info_.data(), "\\", &value, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(2, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(2, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileType, DWORD{VFT_APP});
    // No build date: the same sources give the same program.
    EXPECT_EQ(fixed->dwFileDateMS, 0u);
    EXPECT_EQ(fixed->dwFileDateLS, 0u);
}

TEST_F(ProgramVersionTest, NamesTheProgramAndItsVersionInText) {
    const struct {
        const char* name;
        const char* value;
    } expected[] = {
        {"FileVersion", "1.2.1"},    {"ProductVersion", "1.2.1"},
        {"ProductName", "Lumatag"},  {"OriginalFilename", "Lumatag.exe"},
        {"InternalName", "Lumatag"}, {"CompanyName", "Lumatag team"},
    };
    for (const auto& field : expected) {
        EXPECT_EQ(Text(field.name), field.value) << field.name;
    }
    EXPECT_NE(Text("FileDescription").find("Lumatag"), std::string::npos);
    EXPECT_NE(Text("LegalCopyright").find("Lumatag team"), std::string::npos);
}

} // namespace
