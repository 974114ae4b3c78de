#pragma once

#include "toolkit/unique_handle.h"

#include <string>

// The few file operations the settings need, for paths of any length. A path that fits the
// old 260-character limit goes to the ANSI function as it is (the only kind Windows 95, 98 and
// ME have); a longer one goes, widened from the ANSI code page and in its "\\?\" form, to the
// wide function, since the ANSI functions stop at 260 characters even with that prefix.
namespace file_system {

UniqueFile OpenFile(const std::string& path, DWORD access, DWORD share, DWORD disposition);
DWORD Attributes(const std::string& path);
bool CreateFolder(const std::string& path);
bool Delete(const std::string& path);
// Replaces `to` by `from` in one step, writing through to the disk.
bool MoveReplacing(const std::string& from, const std::string& to);

} // namespace file_system
