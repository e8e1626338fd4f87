// The native build's process calls, answered from the scripted table of ProcessTable.h.
#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "platform/FileApi.h"
#include "platform/ProcessApi.h"
#include "platform/standin/ProcessTable.h"

namespace platform {
namespace {
using standin::OpenableWith;
using standin::ScriptedProcess;

struct SnapshotState {
  std::vector<ProcessEntry> entries;
  std::size_t next = 0;
};

struct ProcessTable {
  std::vector<ScriptedProcess> processes;
  bool snapshotFails = false;
  std::uintptr_t foreground = 0;
  std::map<std::uintptr_t, std::uint32_t> windowOwners;
  // Open handles; values count up and are never reused, like the system's handles
  // they are nonzero multiples of 4.
  std::map<SnapshotValue, SnapshotState> snapshots;
  std::map<ProcessValue, std::string> openProcesses;  // handle -> image path
  std::intptr_t lastHandle = 0;

  std::intptr_t NewHandle() { return lastHandle += 4; }
};

ProcessTable& Table() {
  static ProcessTable table;
  return table;
}

// The name as the 260-character field holds it: up to a zero, at most 259 characters.
std::string AsExeField(const std::string& name) {
  std::string field = name.substr(0, name.find('\0'));
  if (field.size() >= kExeFileField) field.resize(kExeFileField - 1);
  return field;
}

std::uint32_t AccessAllowed(OpenableWith openable) {
  switch (openable) {
    case OpenableWith::Both:
      return win::kQueryInformation | win::kQueryLimitedInformation;
    case OpenableWith::LimitedOnly:
      return win::kQueryLimitedInformation;
    case OpenableWith::Nothing:
      break;
  }
  return 0;
}

bool Fail(std::uint32_t code) {
  SetLastError(code);
  return false;
}

bool Deliver(const Snapshot& snapshot, std::optional<std::size_t> restartAt, ProcessEntry* entry) {
  auto found = Table().snapshots.find(snapshot.Get());
  if (!snapshot || found == Table().snapshots.end()) return Fail(err::kInvalidHandle);
  SnapshotState& state = found->second;
  if (restartAt) state.next = *restartAt;
  if (state.next >= state.entries.size()) return Fail(err::kNoMoreFiles);
  *entry = state.entries[state.next++];
  return true;
}
}  // namespace

namespace standin {
void SetProcesses(std::vector<ScriptedProcess> processes) {
  Table().processes = std::move(processes);
}
void SetSnapshotFails(bool fails) { Table().snapshotFails = fails; }
void SetForegroundWindow(std::uintptr_t window) { Table().foreground = window; }
void SetWindowProcess(std::uintptr_t window, std::uint32_t processId) {
  Table().windowOwners[window] = processId;
}
void ResetProcessTable() {
  ProcessTable& table = Table();
  table.processes.clear();
  table.snapshotFails = false;
  table.foreground = 0;
  table.windowOwners.clear();
}
std::size_t OpenSnapshotCount() { return Table().snapshots.size(); }
std::size_t OpenProcessCount() { return Table().openProcesses.size(); }
}  // namespace standin

void CloseSnapshot(SnapshotValue snapshot) { Table().snapshots.erase(snapshot); }
void CloseProcess(ProcessValue process) { Table().openProcesses.erase(process); }

Snapshot CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t /*processId*/) {
  ProcessTable& table = Table();
  if (table.snapshotFails || (flags & win::kSnapProcess) == 0) {
    Fail(table.snapshotFails ? err::kAccessDenied : err::kInvalidParameter);
    return Snapshot();
  }
  SnapshotState state;
  for (const ScriptedProcess& process : table.processes) {
    state.entries.push_back({process.id, AsExeField(process.exeName)});
  }
  SnapshotValue handle = table.NewHandle();
  table.snapshots.emplace(handle, std::move(state));
  return Snapshot(handle);
}

bool Process32First(const Snapshot& snapshot, ProcessEntry* entry) {
  return Deliver(snapshot, 0, entry);
}

bool Process32Next(const Snapshot& snapshot, ProcessEntry* entry) {
  return Deliver(snapshot, std::nullopt, entry);
}

ProcessHandle OpenProcess(std::uint32_t access, bool /*inheritHandle*/, std::uint32_t processId) {
  ProcessTable& table = Table();
  auto found = std::find_if(table.processes.begin(), table.processes.end(),
                            [&](const ScriptedProcess& p) { return p.id == processId; });
  // The system refuses id 0 and ids of no running process as an invalid parameter.
  if (processId == 0 || found == table.processes.end()) {
    Fail(err::kInvalidParameter);
    return ProcessHandle();
  }
  if (access == 0 || (access & ~AccessAllowed(found->openable)) != 0) {
    Fail(err::kAccessDenied);
    return ProcessHandle();
  }
  ProcessValue handle = table.NewHandle();
  table.openProcesses.emplace(handle, found->imagePath);
  return ProcessHandle(handle);
}

std::optional<std::string> QueryFullProcessImageNameA(const ProcessHandle& process) {
  auto found = Table().openProcesses.find(process.Get());
  if (!process || found == Table().openProcesses.end()) {
    Fail(err::kInvalidHandle);
    return std::nullopt;
  }
  // The path and its closing zero must fit the buffer.
  if (found->second.size() >= kImagePathBuffer) {
    Fail(err::kInsufficientBuffer);
    return std::nullopt;
  }
  return found->second;
}

std::uintptr_t GetForegroundWindow() { return Table().foreground; }

std::uint32_t GetWindowThreadProcessId(std::uintptr_t window) {
  auto found = Table().windowOwners.find(window);
  if (found == Table().windowOwners.end()) {
    SetLastError(err::kInvalidWindowHandle);
    return 0;
  }
  return found->second;
}

}  // namespace platform
