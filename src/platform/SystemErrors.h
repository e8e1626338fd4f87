#pragma once
// The system's error numbers the program tells apart: what GetLastError gives after a
// failed call, and what the registry calls return as their status. The names are the
// program's own; the Windows build checks each against the system's value.
#include <cstdint>

namespace platform::err {
inline constexpr std::uint32_t kSuccess = 0;
inline constexpr std::uint32_t kInvalidFunction = 1;
inline constexpr std::uint32_t kFileNotFound = 2;
inline constexpr std::uint32_t kPathNotFound = 3;
inline constexpr std::uint32_t kAccessDenied = 5;
inline constexpr std::uint32_t kInvalidHandle = 6;
inline constexpr std::uint32_t kNoMoreFiles = 18;
inline constexpr std::uint32_t kFileExists = 80;
inline constexpr std::uint32_t kInvalidParameter = 87;
inline constexpr std::uint32_t kInsufficientBuffer = 122;
inline constexpr std::uint32_t kNegativeSeek = 131;
inline constexpr std::uint32_t kBadPathname = 161;
inline constexpr std::uint32_t kAlreadyExists = 183;
inline constexpr std::uint32_t kMoreData = 234;
inline constexpr std::uint32_t kNoMoreItems = 259;
inline constexpr std::uint32_t kKeyDeleted = 1018;
inline constexpr std::uint32_t kInvalidWindowHandle = 1400;
}  // namespace platform::err
