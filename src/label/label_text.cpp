#include "label/label_text.h"

namespace {
bool IsOn(int32_t flag) { return flag == 1; }
} // namespace

std::string ComposeLabelText(const Settings& settings, const IdentityFacts& facts) {
    std::string text;
    if (!settings.AddToDisplay.empty()) {
        text = settings.AddToDisplay + " ";
    }
    if (IsOn(settings.ShowComputerName)) {
        text += facts.ComputerName;
    }
    const bool showDomain = IsOn(settings.ShowDomainName);
    const bool showUser = IsOn(settings.ShowUserID);
    if (showDomain && showUser) {
        text += " <" + facts.DomainName + "\\" + facts.UserName + ">";
    } else if (showDomain) {
        text += " <" + facts.DomainName + ">";
    } else if (showUser) {
        text += " <" + facts.UserName + ">";
    }
    if (IsOn(settings.ShowIP)) {
        text += " " + facts.PrimaryIP;
    }
    if (text.empty()) {
        return kNothingSelectedText;
    }
    return " " + text + " ";
}

std::string FormatIPv4(const unsigned char octets[4]) {
    std::string text;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            text += '.';
        }
        text += std::to_string(octets[i]);
    }
    return text;
}

namespace current {
::IdentityFacts IdentityFacts;
std::string LabelText;
} // namespace current
