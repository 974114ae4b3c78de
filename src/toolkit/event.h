#pragma once

#include <cstdint>

// Event codes the poll returns. Any other value is a raw window-system message code.
namespace event_code {
constexpr int32_t kNone = 0;
constexpr int32_t kClose = 16;           // WM_CLOSE reached one of the numbered windows
constexpr int32_t kRightButton = 0x0204; // WM_RBUTTONDOWN, returned as the message's own code
constexpr int32_t kControl = 13100;
constexpr int32_t kMenu = 13101;
} // namespace event_code

// Event types the toolkit raises for controls that report something WM_COMMAND does not.
namespace event_type {
constexpr int32_t kFocusGained = 14000;
constexpr int32_t kFocusLost = 14001;
} // namespace event_type

struct Event {
    int32_t code = event_code::kNone;
    int32_t window = 0;  // close events: the window that was asked to close
    int32_t item = 0;    // menu events: the chosen item
    int32_t control = 0; // control events: the reporting control
    int32_t type = 0;    // control events: the notification or toolkit event type
    bool operator==(const Event&) const = default;
};
