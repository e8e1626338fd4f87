#pragma once
// The file calls of the system, one function per Windows entry point, with the
// same contract in both builds: the Windows build calls kernel32 ("A" entry points),
// the native build stands in over POSIX files. Failures leave a Windows error number
// in the thread's last-error code (2 for a missing file, 5 for a directory, ...).
#include <cstdint>
#include <string>

#include "platform/SystemErrors.h"
#include "platform/UniqueHandle.h"

namespace platform {

using FileHandle = std::intptr_t;
inline constexpr FileHandle kInvalidFileHandle = -1;

// The system's values under the program's own names (the Windows build checks each).
namespace win {
inline constexpr std::uint32_t kGenericRead = 0x80000000u;
inline constexpr std::uint32_t kGenericWrite = 0x40000000u;
inline constexpr std::uint32_t kShareRead = 1, kShareWrite = 2, kShareDelete = 4;
inline constexpr std::uint32_t kCreateNew = 1, kCreateAlways = 2, kOpenExisting = 3,
                               kOpenAlways = 4;
inline constexpr std::uint32_t kRandomAccess = 0x10000000u;
inline constexpr std::uint32_t kSequentialScan = 0x08000000u;
inline constexpr std::uint32_t kFileBegin = 0, kFileCurrent = 1, kFileEnd = 2;
inline constexpr std::uint32_t kInvalidFileAttributes = 0xFFFFFFFFu;
inline constexpr std::uint32_t kDirectoryAttribute = 0x10;
}  // namespace win

// The thread's last-error code, as GetLastError / SetLastError.
std::uint32_t GetLastError();
void SetLastError(std::uint32_t code);

FileHandle CreateFileA(const std::string& name, std::uint32_t access, std::uint32_t share,
                       std::uint32_t disposition, std::uint32_t flags);
bool ReadFile(FileHandle file, void* buffer, std::uint32_t count, std::uint32_t* read);
bool WriteFile(FileHandle file, const void* buffer, std::uint32_t count, std::uint32_t* written);
bool SetFilePointerEx(FileHandle file, std::int64_t distance, std::int64_t* newPosition,
                      std::uint32_t moveMethod);
bool GetFileSizeEx(FileHandle file, std::int64_t* size);
bool CloseHandle(FileHandle file);
using FileOwner = UniqueHandle<ClosedBy<FileHandle, &CloseHandle, kInvalidFileHandle>>;
std::uint32_t GetFileAttributesA(const std::string& name);

// FormatMessageA from the system table (flags 0x1000, language 0) into a 255-byte
// buffer: the text as the system gives it, or empty when the system has none or it
// does not fit.
std::string FormatMessageA(std::uint32_t code);

// The WOW64 redirection switch. Returns false when the system refuses (for example
// error 1 in a 64-bit process) or has no such switch (error 127: procedure not found).
// `token` receives the value to give back to the revert call; a refused call leaves
// the token as it was.
bool Wow64DisableWow64FsRedirection(void** token);
bool Wow64RevertWow64FsRedirection(void* token);

// Switches the thread's file-system redirection off for as long as it lives, and back
// on at its end when the system did switch it off.
class RedirectionOff {
 public:
  RedirectionOff() : off_(Wow64DisableWow64FsRedirection(&token_)) {}
  ~RedirectionOff() {
    if (off_) Wow64RevertWow64FsRedirection(token_);
  }
  RedirectionOff(const RedirectionOff&) = delete;
  RedirectionOff& operator=(const RedirectionOff&) = delete;

  bool Off() const { return off_; }
  // Whether the system handed back a value to restore (any value, 0 included).
  bool TokenGiven() const { return token_ != NoToken(); }

 private:
  // A value the system never hands back, so that a call that reports success without
  // touching the slot is seen.
  static void* NoToken() { return reinterpret_cast<void*>(~std::uintptr_t{0}); }
  void* token_ = NoToken();
  bool off_;
};

}  // namespace platform
