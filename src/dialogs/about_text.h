#pragma once

#include <string>
#include <string_view>

// The last line of the About text: who made the program and how to reach them.
inline constexpr std::string_view kAboutCreditLine = "Lumatag team <team@lumatag.example>";
static_assert(kAboutCreditLine.size() == 35, "the About window is laid out for 35 characters");

// The maker's web site and the product's page on it, which the About window's link opens.
inline constexpr std::string_view kProductWebHost = "https://lumatag.example";
inline constexpr std::string_view kProductWebPath = "/software/lumatag/";

// What the program is for, in five lines ending in a line feed each (the fifth a lone space,
// so it looks empty), then the credit line with no line feed after it.
std::string ComposeAboutText();

// The full address of the product's web page.
std::string ProductWebPageAddress();

namespace current {
extern std::string AboutText;
}
