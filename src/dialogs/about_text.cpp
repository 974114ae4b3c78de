#include "dialogs/about_text.h"

std::string ComposeAboutText() {
    // Line feeds alone, no carriage returns: the centred text control breaks its lines there.
    std::string text = "Helps to quickly identify the current\n";
    text += "computer at a glance.  Helpful in\n";
    text += "multi-computer setups where one monitor\n";
    text += "might be connected to a KVM switch.\n";
    text += " \n";
    text += kAboutCreditLine;
    return text;
}

std::string ProductWebPageAddress() {
    std::string address(kProductWebHost);
    address += kProductWebPath;
    return address;
}

namespace current {
std::string AboutText;
}
