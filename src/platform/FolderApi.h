#pragma once
// Folder calls and the process environment, with the same contract in both builds: the
// Windows build calls kernel32 ("A" entry points), the native build stands in over
// POSIX folders (drive paths mapped as HostPath.h says) and an environment of its own,
// empty until set. Failures leave a Windows error number in the thread's last-error
// code (FileApi.h): 183 for a folder that exists already, 3 for a missing folder above.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/SystemErrors.h"

namespace platform {

// Creates one folder; the folder above it must exist.
bool CreateDirectoryA(const std::string& path);

bool DeleteFileA(const std::string& path);

// The names of the files (not folders) in `folder`, in the system's order, as
// FindFirstFileA and FindNextFileA over "folder\*" give them; nothing when the folder
// cannot be listed.
std::optional<std::vector<std::string>> ListFileNames(const std::string& folder);

// The value of an environment variable; nothing when it is not set.
std::optional<std::string> GetEnvironmentVariableA(const std::string& name);
// Sets a variable of this process; nothing removes it.
bool SetEnvironmentVariableA(const std::string& name, const std::optional<std::string>& value);

}  // namespace platform
