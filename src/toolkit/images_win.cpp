#include "toolkit/toolkit.h"

#include "toolkit/bmp_layout.h"
#include "toolkit/toolkit_internal_win.h"
#include "toolkit/unique_handle.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace toolkit {
namespace {

// The images by number; each lives until replaced under its number or until Shutdown.
std::map<int, UniqueBitmap>& Images() {
    static std::map<int, UniqueBitmap> images;
    return images;
}

// A true-colour bitmap of the file's width and height (at least 24 bits per pixel, so an
// indexed picture's palette becomes plain colours), filled by SetDIBits through the file's
// own header and palette.
UniqueBitmap DecodeBmp(std::span<const uint8_t> bytes) {
    const std::optional<BmpLayout> layout = ReadBmpLayout(bytes);
    if (!layout) {
        return {};
    }
    // The header and palette are copied out because in the file they start at offset 14,
    // which is not aligned for BITMAPINFO's 32-bit fields.
    const size_t infoSize = layout->pixelOffset - kBmpFileHeaderSize;
    std::vector<BITMAPINFO> fileInfo((infoSize + sizeof(BITMAPINFO) - 1) / sizeof(BITMAPINFO));
    std::memcpy(fileInfo.data(), bytes.data() + kBmpFileHeaderSize, infoSize);

    // Always bottom-up: SetDIBits turns a top-down file's rows round by its own header.
    const int rows = layout->height < 0 ? -layout->height : layout->height;
    BITMAPINFO target{};
    target.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    target.bmiHeader.biWidth = layout->width;
    target.bmiHeader.biHeight = rows;
    target.bmiHeader.biPlanes = 1;
    target.bmiHeader.biBitCount = std::max<WORD>(24, layout->bitsPerPixel);
    target.bmiHeader.biCompression = BI_RGB;

    const ScopedWindowDc screen(nullptr);
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(screen.get(), &target, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) {
        return {};
    }
    const int copied =
        SetDIBits(screen.get(), bitmap.get(), 0, static_cast<UINT>(rows),
                  bytes.data() + layout->pixelOffset, fileInfo.data(), DIB_RGB_COLORS);
    if (copied != rows) {
        return {};
    }
    return bitmap;
}

// A bitmap static resizes itself so that its client area holds the picture and any edge lies
// outside it, top-left corner in place, unless told to centre the picture or keep its size.
// Windows does so; Wine 8 makes the whole window the picture's size, so a sunken edge would
// crop it. Sized here, the control comes out the same on both.
void FitToImage(HWND handle, HBITMAP bitmap) {
    const auto style = static_cast<DWORD>(GetWindowLongA(handle, GWL_STYLE));
    if ((style & (SS_CENTERIMAGE | SS_REALSIZECONTROL)) != 0) {
        return;
    }
    BITMAP picture{};
    if (GetObjectA(bitmap, sizeof picture, &picture) != sizeof picture) {
        return;
    }
    RECT outer{0, 0, picture.bmWidth, picture.bmHeight};
    AdjustWindowRectEx(&outer, style, FALSE,
                       static_cast<DWORD>(GetWindowLongA(handle, GWL_EXSTYLE)));
    SetWindowPos(handle, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

bool LoadBmpImage(int number, std::span<const uint8_t> bytes) {
    auto& images = Images();
    images.erase(number);
    UniqueBitmap bitmap = DecodeBmp(bytes);
    if (!bitmap) {
        return false;
    }
    images[number] = std::move(bitmap);
    return true;
}

HBITMAP ImageHandle(int number) {
    const auto& images = Images();
    const auto found = images.find(number);
    return found == images.end() ? nullptr : found->second.get();
}

void SetControlImage(int control, int image) {
    const HWND handle = ControlHandle(control);
    const HBITMAP bitmap = ImageHandle(image);
    if (handle == nullptr || bitmap == nullptr) {
        return;
    }
    // The control only borrows the bitmap: the image table keeps owning it.
    SendMessageA(handle, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    FitToImage(handle, bitmap);
}

namespace internal {
void FreeImages() {
    Images().clear();
}
} // namespace internal

} // namespace toolkit
