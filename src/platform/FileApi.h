#pragma once
// The file calls of the system, one function per Windows entry point, with the
// same contract in both builds: the Windows build calls kernel32 ("A" entry points),
// the native build stands in over POSIX files. Failures leave a Windows error number
// in the thread's last-error code (2 for a missing file, 5 for a directory, ...).
#include <cstdint>
#include <string>

namespace platform {

using FileHandle = std::intptr_t;
inline constexpr FileHandle kInvalidFileHandle = -1;

namespace win {
inline constexpr std::uint32_t GENERIC_READ = 0x80000000u;
inline constexpr std::uint32_t GENERIC_WRITE = 0x40000000u;
inline constexpr std::uint32_t FILE_SHARE_READ = 1, FILE_SHARE_WRITE = 2, FILE_SHARE_DELETE = 4;
inline constexpr std::uint32_t CREATE_NEW = 1, CREATE_ALWAYS = 2, OPEN_EXISTING = 3,
                               OPEN_ALWAYS = 4;
inline constexpr std::uint32_t FILE_FLAG_RANDOM_ACCESS = 0x10000000u;
inline constexpr std::uint32_t FILE_FLAG_SEQUENTIAL_SCAN = 0x08000000u;
inline constexpr std::uint32_t FILE_BEGIN = 0, FILE_CURRENT = 1, FILE_END = 2;
inline constexpr std::uint32_t INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;
inline constexpr std::uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr std::uint32_t ERROR_INVALID_FUNCTION = 1;
inline constexpr std::uint32_t ERROR_FILE_NOT_FOUND = 2;
inline constexpr std::uint32_t ERROR_PATH_NOT_FOUND = 3;
inline constexpr std::uint32_t ERROR_ACCESS_DENIED = 5;
inline constexpr std::uint32_t ERROR_INVALID_HANDLE = 6;
inline constexpr std::uint32_t ERROR_FILE_EXISTS = 80;
inline constexpr std::uint32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr std::uint32_t ERROR_NEGATIVE_SEEK = 131;
inline constexpr std::uint32_t ERROR_MORE_DATA = 234;
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

}  // namespace platform
