// The real file calls: kernel32's "A" entry points and the WOW64 switch.
#include "platform/FileApi.h"

#include <windows.h>

#include <cstdarg>

namespace platform {

// The program's names for the system's file constants and error numbers.
static_assert(win::kGenericRead == GENERIC_READ && win::kGenericWrite == GENERIC_WRITE);
static_assert(win::kShareRead == FILE_SHARE_READ && win::kShareWrite == FILE_SHARE_WRITE &&
              win::kShareDelete == FILE_SHARE_DELETE);
static_assert(win::kCreateNew == CREATE_NEW && win::kCreateAlways == CREATE_ALWAYS &&
              win::kOpenExisting == OPEN_EXISTING && win::kOpenAlways == OPEN_ALWAYS);
static_assert(win::kRandomAccess == FILE_FLAG_RANDOM_ACCESS &&
              win::kSequentialScan == FILE_FLAG_SEQUENTIAL_SCAN);
static_assert(win::kFileBegin == FILE_BEGIN && win::kFileCurrent == FILE_CURRENT &&
              win::kFileEnd == FILE_END);
static_assert(win::kInvalidFileAttributes == INVALID_FILE_ATTRIBUTES &&
              win::kDirectoryAttribute == FILE_ATTRIBUTE_DIRECTORY);

static_assert(err::kSuccess == ERROR_SUCCESS && err::kInvalidFunction == ERROR_INVALID_FUNCTION);
static_assert(err::kFileNotFound == ERROR_FILE_NOT_FOUND &&
              err::kPathNotFound == ERROR_PATH_NOT_FOUND);
static_assert(err::kAccessDenied == ERROR_ACCESS_DENIED &&
              err::kInvalidHandle == ERROR_INVALID_HANDLE);
static_assert(err::kNoMoreFiles == ERROR_NO_MORE_FILES && err::kFileExists == ERROR_FILE_EXISTS);
static_assert(err::kInvalidParameter == ERROR_INVALID_PARAMETER &&
              err::kInsufficientBuffer == ERROR_INSUFFICIENT_BUFFER);
static_assert(err::kNegativeSeek == ERROR_NEGATIVE_SEEK && err::kBadPathname == ERROR_BAD_PATHNAME);
static_assert(err::kAlreadyExists == ERROR_ALREADY_EXISTS && err::kMoreData == ERROR_MORE_DATA);
static_assert(err::kNoMoreItems == ERROR_NO_MORE_ITEMS && err::kKeyDeleted == ERROR_KEY_DELETED);
static_assert(err::kInvalidWindowHandle == ERROR_INVALID_WINDOW_HANDLE);

std::uint32_t GetLastError() { return ::GetLastError(); }
void SetLastError(std::uint32_t code) { ::SetLastError(code); }

static HANDLE ToHandle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

FileHandle CreateFileA(const std::string& name, std::uint32_t access, std::uint32_t share,
                       std::uint32_t disposition, std::uint32_t flags) {
  HANDLE h = ::CreateFileA(name.c_str(), access, share, nullptr, disposition, flags, nullptr);
  return reinterpret_cast<FileHandle>(h);
}

bool ReadFile(FileHandle file, void* buffer, std::uint32_t count, std::uint32_t* read) {
  DWORD done = 0;
  BOOL ok = ::ReadFile(ToHandle(file), buffer, count, &done, nullptr);
  *read = done;
  return ok != FALSE;
}

bool WriteFile(FileHandle file, const void* buffer, std::uint32_t count, std::uint32_t* written) {
  DWORD done = 0;
  BOOL ok = ::WriteFile(ToHandle(file), buffer, count, &done, nullptr);
  *written = done;
  return ok != FALSE;
}

bool SetFilePointerEx(FileHandle file, std::int64_t distance, std::int64_t* newPosition,
                      std::uint32_t moveMethod) {
  LARGE_INTEGER move;
  move.QuadPart = distance;
  LARGE_INTEGER moved;
  moved.QuadPart = 0;
  BOOL ok = ::SetFilePointerEx(ToHandle(file), move, &moved, moveMethod);
  if (newPosition) *newPosition = moved.QuadPart;
  return ok != FALSE;
}

bool GetFileSizeEx(FileHandle file, std::int64_t* size) {
  LARGE_INTEGER value;
  value.QuadPart = 0;
  BOOL ok = ::GetFileSizeEx(ToHandle(file), &value);
  *size = value.QuadPart;
  return ok != FALSE;
}

bool CloseHandle(FileHandle file) { return ::CloseHandle(ToHandle(file)) != FALSE; }

std::uint32_t GetFileAttributesA(const std::string& name) {
  return ::GetFileAttributesA(name.c_str());
}

std::string FormatMessageA(std::uint32_t code) {
  char buffer[255] = {};
  // The argument list points at zeros, so a message with inserts cannot read past it.
  DWORD_PTR zeros[16] = {};
  va_list args = reinterpret_cast<va_list>(zeros);
  DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, 0, buffer,
                                  sizeof buffer, &args);
  return std::string(buffer, length);
}

namespace {
using DisableFn = BOOL(WINAPI*)(PVOID*);
using RevertFn = BOOL(WINAPI*)(PVOID);

// The switch exists only on systems with WOW64; it is looked up, not linked.
template <typename Fn>
Fn Kernel32Entry(const char* name) {
  HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  return kernel ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(kernel, name)))
                : nullptr;
}
}  // namespace

bool Wow64DisableWow64FsRedirection(void** token) {
  static const DisableFn disable = Kernel32Entry<DisableFn>("Wow64DisableWow64FsRedirection");
  if (!disable) {
    ::SetLastError(ERROR_PROC_NOT_FOUND);
    return false;
  }
  return disable(token) != FALSE;
}

bool Wow64RevertWow64FsRedirection(void* token) {
  static const RevertFn revert = Kernel32Entry<RevertFn>("Wow64RevertWow64FsRedirection");
  if (!revert) {
    ::SetLastError(ERROR_PROC_NOT_FOUND);
    return false;
  }
  return revert(token) != FALSE;
}

}  // namespace platform
