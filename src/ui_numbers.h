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
constexpr int kLabelText = 29;
} // namespace control

namespace menu_item {
constexpr int kConfig = 1;
constexpr int kAbout = 2;
constexpr int kExit = 3;
} // namespace menu_item

// The label window's title, also how other programs find it.
inline constexpr const char* kLabelTitle = "Lumatag";

} // namespace ui
