#pragma once
// How the native build's stand-ins find Windows paths on a POSIX file system.
// A path that starts with a drive letter ("C:\Apps\Tool.exe") is looked up under the
// folder given for that drive, with backslashes as separators and letter case ignored,
// as Windows does; any other path is a host path and is used as it is.
#include <cstdint>
#include <optional>
#include <string>

namespace platform::standin {

// Maps drive `letter` to `folder` (an empty folder removes the mapping).
void SetDriveRoot(char letter, const std::string& folder);

// The host path for `path`, or nothing when a drive path has no mapped drive or a
// folder along it is missing. The last component need not exist (files to create).
std::optional<std::string> ToHostPath(const std::string& path);

// The POSIX errno of a failed call, as the Windows error number for `path`:
// 2 for a missing file in an existing folder, 3 for a missing folder, 5 for no access.
std::uint32_t WindowsErrorFromErrno(int error);

}  // namespace platform::standin
