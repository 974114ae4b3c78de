#include "settings/settings.h"

Settings DefaultSettings() {
    Settings defaults;
    defaults.TransAmount = 100;
    defaults.AutoStart = 0;
    defaults.LabelPos = kBottomRight;
    defaults.ShowComputerName = 1;
    defaults.ShowDomainName = 0;
    defaults.ShowUserID = 0;
    defaults.ShowIP = 0;
    defaults.AddToDisplay = "";
    defaults.FontName = "Arial";
    defaults.FontSize = 8;
    defaults.FontColor = -1;
    defaults.BackColor = -1;
    return defaults;
}

int32_t ColorFromChooser(uint32_t chosen) {
    const auto color = static_cast<int32_t>(chosen & 0x00FFFFFFu);
    return color == 0 ? kStoredBlack : color;
}

namespace current {
::Settings Settings;
}
