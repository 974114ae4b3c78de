// Feeds arbitrary bytes through everything a settings file reaches: reading, key lookup, the
// integer and text rules, UTF-8 conversion, and then every pure function that consumes the
// resulting record. Besides the sanitizers it checks two properties: what a save writes reads
// back to the same record (texts lose only their outer blanks), and saving that again changes
// nothing.
#include "dialogs/config_text.h"
#include "label/label_text.h"
#include "label/opacity.h"
#include "label/placement.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool SameNumbers(const Settings& a, const Settings& b) {
    return a.TransAmount == b.TransAmount && a.AutoStart == b.AutoStart &&
           a.LabelPos == b.LabelPos && a.ShowComputerName == b.ShowComputerName &&
           a.ShowDomainName == b.ShowDomainName && a.ShowUserID == b.ShowUserID &&
           a.ShowIP == b.ShowIP && a.FontSize == b.FontSize && a.FontColor == b.FontColor &&
           a.BackColor == b.BackColor;
}

bool SameRecord(const Settings& a, const Settings& b) {
    return SameNumbers(a, b) && a.AddToDisplay == b.AddToDisplay && a.FontName == b.FontName;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Settings loaded = ParseSettingsText(bytes);

    const std::string saved = FormatSettingsText(loaded);
    const Settings reloaded = ParseSettingsText(saved);
    Require(SameNumbers(loaded, reloaded));
    Require(reloaded.AddToDisplay == TrimSettingsText(loaded.AddToDisplay));
    Require(reloaded.FontName == TrimSettingsText(loaded.FontName));
    Require(SameRecord(ParseSettingsText(FormatSettingsText(reloaded)), reloaded));

    const IdentityFacts facts{"HOST7", "LAB", "user1", "10.1.2.3"};
    const std::string text = ComposeLabelText(loaded, facts);
    Require(!text.empty());
    const auto width = static_cast<int32_t>(text.size() * static_cast<size_t>(loaded.FontSize & 0xFF));
    PlaceLabel(loaded.LabelPos, width, loaded.FontSize, {1280, 1024}, loaded.TransAmount);
    PlaceLabel(loaded.LabelPos, loaded.FontColor, loaded.BackColor, {loaded.FontSize, 1024},
               loaded.BackColor);
    OpacityByte(loaded.TransAmount);
    Require(!FontDescription(loaded).empty());
    Require(!OpacityReadOut(loaded.TransAmount).empty());
    return 0;
}
