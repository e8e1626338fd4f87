// The real process calls: Toolhelp's 8-bit entry points, OpenProcess and
// QueryFullProcessImageNameA, and the foreground window of user32.
#include "platform/ProcessApi.h"

#include <windows.h>
// windows.h first: tlhelp32.h relies on its types.
#include <tlhelp32.h>

#include <cstring>

namespace platform {
namespace {
HANDLE ToHandle(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }

// The 8-bit record: 296 bytes in a 32-bit process, 304 in a 64-bit one (its heap id
// field is pointer sized).
static_assert(sizeof(PROCESSENTRY32) == (sizeof(void*) == 4 ? 296 : 304));
static_assert(sizeof(PROCESSENTRY32{}.szExeFile) == kExeFileField);

// The program's names for the snapshot flag and the access rights it asks for.
static_assert(win::kSnapProcess == TH32CS_SNAPPROCESS);
static_assert(win::kQueryInformation == PROCESS_QUERY_INFORMATION &&
              win::kQueryLimitedInformation == PROCESS_QUERY_LIMITED_INFORMATION);

using StepFn = BOOL(WINAPI*)(HANDLE, LPPROCESSENTRY32);

bool Step(StepFn step, const Snapshot& snapshot, ProcessEntry* entry) {
  if (!snapshot) {
    ::SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  PROCESSENTRY32 record;
  std::memset(&record, 0, sizeof record);
  record.dwSize = sizeof record;
  if (!step(ToHandle(snapshot.Get()), &record)) return false;
  entry->th32ProcessID = record.th32ProcessID;
  entry->szExeFile.assign(record.szExeFile, ::strnlen(record.szExeFile, kExeFileField));
  return true;
}
}  // namespace

void CloseSnapshot(SnapshotValue snapshot) { ::CloseHandle(ToHandle(snapshot)); }
void CloseProcess(ProcessValue process) { ::CloseHandle(ToHandle(process)); }

Snapshot CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) {
  HANDLE snapshot = ::CreateToolhelp32Snapshot(flags, processId);
  return Snapshot(reinterpret_cast<SnapshotValue>(snapshot));
}

bool Process32First(const Snapshot& snapshot, ProcessEntry* entry) {
  return Step(&::Process32First, snapshot, entry);
}

bool Process32Next(const Snapshot& snapshot, ProcessEntry* entry) {
  return Step(&::Process32Next, snapshot, entry);
}

ProcessHandle OpenProcess(std::uint32_t access, bool inheritHandle, std::uint32_t processId) {
  HANDLE process = ::OpenProcess(access, inheritHandle ? TRUE : FALSE, processId);
  return ProcessHandle(reinterpret_cast<ProcessValue>(process));
}

std::optional<std::string> QueryFullProcessImageNameA(const ProcessHandle& process) {
  char buffer[kImagePathBuffer] = {};
  DWORD size = kImagePathBuffer;
  if (!::QueryFullProcessImageNameA(ToHandle(process.Get()), 0, buffer, &size)) {
    return std::nullopt;
  }
  if (size > kImagePathBuffer) size = kImagePathBuffer;  // never trust a count past the buffer
  return std::string(buffer, size);
}

std::uintptr_t GetForegroundWindow() {
  return reinterpret_cast<std::uintptr_t>(::GetForegroundWindow());
}

std::uint32_t GetWindowThreadProcessId(std::uintptr_t window) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &processId);
  return processId;
}

}  // namespace platform
