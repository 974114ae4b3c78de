#pragma once

#include "label/identity_facts.h"
#include "settings/settings.h"

#include <cstdint>
#include <string>

// What the label shows when every item is off and there is no free text.
inline constexpr const char* kNothingSelectedText = "Please select display options...";

// The label's one line: free text, computer name, <domain\user>, address, padded with one
// space at each end so the text never touches the label's edge.
std::string ComposeLabelText(const Settings& settings, const IdentityFacts& facts);

// A dotted IPv4 address from an address in network byte order as the resolver stores it
// (first octet in the lowest byte of memory).
std::string FormatIPv4(const unsigned char octets[4]);

namespace current {
extern std::string LabelText;
}
