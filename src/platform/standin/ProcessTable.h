#pragma once
// The native build's processes: a table that tests script. The process calls of
// platform/ProcessApi.h answer from it with the system's contract: a snapshot is a copy
// of the table when it was taken, a process opens only for the access its entry allows,
// and an image path of 256 characters or more cannot be read.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform::standin {

// Which access masks open a process.
enum class OpenableWith {
  Nothing,      // every open is refused (error 5)
  LimitedOnly,  // kQueryLimitedInformation (0x1000) only
  Both,         // kQueryInformation (0x400) and 0x1000
};

struct ScriptedProcess {
  std::uint32_t id = 0;
  std::string exeName;    // the executable's file name as a snapshot lists it
  std::string imagePath;  // the full path QueryFullProcessImageNameA gives
  OpenableWith openable = OpenableWith::Both;
};

// Replaces the running processes, in snapshot order.
void SetProcesses(std::vector<ScriptedProcess> processes);

// While set, no snapshot can be taken.
void SetSnapshotFails(bool fails);

// The foreground window (0 for none) and the process that owns a window.
void SetForegroundWindow(std::uintptr_t window);
void SetWindowProcess(std::uintptr_t window, std::uint32_t processId);

// Empties the table, the windows and the failure switch. Handles still open stay valid.
void ResetProcessTable();

// Snapshot and process handles not yet closed, so tests can see that owners close them.
std::size_t OpenSnapshotCount();
std::size_t OpenProcessCount();

}  // namespace platform::standin
