#pragma once

// What the benchmark driver and the reference program agree on.
namespace bench {

// The reference program's window title and executable, beside the driver.
inline constexpr const char* kReferenceTitle = "Lumatag reference";
inline constexpr const char* kReferenceExecutable = "bench_reference.exe";

// Registered with RegisterWindowMessageA on both sides. Sent to the reference's window: one
// rebuild of its label per message, moved down by wParam % 2 pixels so every rebuild really
// moves the window.
inline constexpr const char* kRebuildMessage = "Lumatag.Bench.Rebuild.51b0e3a6";

// The reference's text control carries the label's control number, so the driver reads both
// programs' text the same way.
inline constexpr int kReferenceTextControl = 29;

} // namespace bench
