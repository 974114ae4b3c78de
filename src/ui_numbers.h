#pragma once

// The fixed numbers by which the program addresses its windows, controls, menu items, fonts
// and images. Control numbers are unique across all windows, so a control event is routed by
// its number alone. The test driver includes this header so the numbers cannot drift.
namespace ui {

namespace window {
constexpr int kConfig = 1;
constexpr int kAbout = 2;
constexpr int kLabel = 3;
} // namespace window

namespace control {
// Configuration window.
constexpr int kOptionsFrame = 1;
constexpr int kShowComputerName = 2;
constexpr int kShowDomainName = 3;
constexpr int kShowUserID = 4;
constexpr int kShowIP = 5;
constexpr int kTransparency = 6;
constexpr int kTransparencyCaption = 7;
constexpr int kTransparencyReadOut = 8;
constexpr int kFreeTextCaption = 9;
constexpr int kFreeText = 10;
constexpr int kAutoStart = 11;
constexpr int kCornerCaption = 12;
constexpr int kCornerFrame = 13;
constexpr int kCornerTopLeft = 14;
constexpr int kCornerBottomLeft = 15;
constexpr int kCornerTopRight = 16;
constexpr int kCornerBottomRight = 17;
constexpr int kInformationFrame = 18;
constexpr int kConfigClose = 19;
constexpr int kFont = 21;
constexpr int kFontDescription = 22;
constexpr int kBackColor = 23;
constexpr int kBackColorSample = 24;
// About window.
constexpr int kAboutClose = 25;
constexpr int kAboutImage = 26;
constexpr int kAboutText = 27;
constexpr int kAboutLink = 28;
// Label window.
constexpr int kLabelText = 29;
} // namespace control

namespace menu_item {
constexpr int kConfig = 1;
constexpr int kAbout = 2;
constexpr int kExit = 3;
} // namespace menu_item

namespace image {
constexpr int kAbout = 1; // AboutImage
} // namespace image

namespace font {
constexpr int kAboutLink = 0; // AboutLinkFont
} // namespace font

// The label window's title, also how other programs find it.
inline constexpr const char* kLabelTitle = "Lumatag";

} // namespace ui
