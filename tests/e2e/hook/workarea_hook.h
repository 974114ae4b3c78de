#pragma once

// What the test driver and the work-area hook DLL agree on. Wine keeps the desktop work area
// per process, so a change made by the driver is never seen by the program; the driver
// instead hooks the program's thread with this DLL and posts it the new edges.
namespace workarea_hook {

// The DLL's file name, next to the test executable.
inline constexpr const char* kDllName = "workarea_hook.dll";

// The WH_GETMESSAGE procedure the DLL exports, undecorated.
inline constexpr const char* kProcName = "WorkAreaGetMessageHook";

// Registered with RegisterWindowMessageA on both sides. Posted to any window of the hooked
// thread with the new work-area top in wParam and bottom in lParam; left and right stay at
// the screen's edges.
inline constexpr const char* kSetWorkAreaMessage = "Lumatag.EndToEnd.SetWorkArea.7c2e91d4";

} // namespace workarea_hook
