#include "dialogs/config_text.h"

std::string FontDescription(const Settings& settings) {
    return " " + settings.FontName + ", Size: " + std::to_string(settings.FontSize);
}

int32_t FontSizeFromChooser(int32_t pointTenths) {
    return pointTenths / 10;
}

std::string OpacityReadOut(int32_t transAmount) {
    // At 100 and above nothing makes the label translucent, so there is no amount to show.
    if (transAmount >= 100) {
        return "Off";
    }
    return std::to_string(transAmount) + "%";
}
