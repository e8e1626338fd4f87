#pragma once
// The process and foreground-window calls of the system, with the same contract in both
// builds: the Windows build calls Toolhelp, OpenProcess and QueryFullProcessImageNameA
// (8-bit forms), the native build answers from a scripted process table
// (platform/standin/ProcessTable.h). Failures leave a Windows error number in the
// thread's last-error code (platform::GetLastError).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/SystemErrors.h"
#include "platform/UniqueHandle.h"

namespace platform {

// The system's values under the program's own names (the Windows build checks each).
namespace win {
inline constexpr std::uint32_t kSnapProcess = 2;
inline constexpr std::uint32_t kQueryInformation = 0x400;
inline constexpr std::uint32_t kQueryLimitedInformation = 0x1000;
}  // namespace win

// The characters of the executable-name field of a process entry, its zero included.
inline constexpr std::size_t kExeFileField = 260;
// The buffer given to QueryFullProcessImageNameA, in characters, its zero included:
// image paths of this length or more cannot be read.
inline constexpr std::uint32_t kImagePathBuffer = 256;

// One entry of a process snapshot: the process id and the executable's file name, the
// name field read up to its first zero character.
struct ProcessEntry {
  std::uint32_t th32ProcessID = 0;
  std::string szExeFile;
};

using SnapshotValue = std::intptr_t;
using ProcessValue = std::intptr_t;

void CloseSnapshot(SnapshotValue snapshot);
void CloseProcess(ProcessValue process);

struct SnapshotTraits {
  using Value = SnapshotValue;
  static constexpr Value kNone = -1;  // what the system returns when it takes none
  static void Close(Value value) { CloseSnapshot(value); }
};
struct ProcessTraits {
  using Value = ProcessValue;
  static constexpr Value kNone = 0;
  static void Close(Value value) { CloseProcess(value); }
};

using Snapshot = UniqueHandle<SnapshotTraits>;
using ProcessHandle = UniqueHandle<ProcessTraits>;

// A snapshot of the system's processes (`flags` TH32CS_SNAPPROCESS, `processId` 0);
// an empty owner when none can be taken.
Snapshot CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId);

// The first, then each following entry of the snapshot. False (error 18) past the last
// entry, and false for an empty owner; `entry` is then left as it was.
bool Process32First(const Snapshot& snapshot, ProcessEntry* entry);
bool Process32Next(const Snapshot& snapshot, ProcessEntry* entry);

// Opens the process `processId` for `access`; an empty owner when it cannot be opened
// (process id 0, a process that has ended, or access refused).
ProcessHandle OpenProcess(std::uint32_t access, bool inheritHandle, std::uint32_t processId);

// The full path of the process's executable with a drive letter (flags 0), read into a
// buffer of kImagePathBuffer characters. Nothing when the call fails, as it does for a
// path of kImagePathBuffer characters or more (error 122).
std::optional<std::string> QueryFullProcessImageNameA(const ProcessHandle& process);

// The window in the foreground, 0 when there is none.
std::uintptr_t GetForegroundWindow();

// The id of the process that owns `window`; 0 when the window is not known.
std::uint32_t GetWindowThreadProcessId(std::uintptr_t window);

}  // namespace platform
