#pragma once
// The registry calls of the system, one function per advapi32 "A" entry point, with
// the same contract in both builds: the Windows build calls advapi32, the native
// build stands in with a registry held in memory. Every call returns the system's
// status (0 for success, 2 for a missing key or value, 5 for access denied, 234 when
// a buffer is too small, 259 at the end of a listing) untouched.
//
// Names and texts cross this interface as 8-bit strings in the process's code page.
// The parameters the program always passes as zero or null (reserved words, class,
// security attributes) are left out.
#include <cstdint>
#include <string>

#include "platform/SystemErrors.h"
#include "platform/UniqueHandle.h"

namespace platform {

// A key handle. The predefined roots are fixed values; 0 is never a valid key.
using RegKey = std::uintptr_t;

// The system's values under the program's own names (the Windows build checks each).
namespace reg {
inline constexpr RegKey kClassesRoot = 0x80000000u;
inline constexpr RegKey kCurrentUser = 0x80000001u;
inline constexpr RegKey kLocalMachine = 0x80000002u;
inline constexpr RegKey kUsers = 0x80000003u;
inline constexpr RegKey kPerformanceData = 0x80000004u;
inline constexpr RegKey kCurrentConfig = 0x80000005u;

inline constexpr bool IsPredefined(RegKey key) {
  return key >= kClassesRoot && key <= kCurrentConfig;
}

inline constexpr std::uint32_t kQueryValue = 0x1;
inline constexpr std::uint32_t kSetValue = 0x2;
inline constexpr std::uint32_t kCreateSubKey = 0x4;
inline constexpr std::uint32_t kEnumerateSubKeys = 0x8;
inline constexpr std::uint32_t kWow64Key64 = 0x100;
inline constexpr std::uint32_t kWow64Key32 = 0x200;
inline constexpr std::uint32_t kDelete = 0x10000;
inline constexpr std::uint32_t kAllAccess = 0xF003F;

inline constexpr std::uint32_t kNoType = 0;
inline constexpr std::uint32_t kSz = 1;
inline constexpr std::uint32_t kExpandSz = 2;
inline constexpr std::uint32_t kBinary = 3;
inline constexpr std::uint32_t kDword = 4;
inline constexpr std::uint32_t kMultiSz = 7;
inline constexpr std::uint32_t kQword = 11;

inline constexpr std::uint32_t kNonVolatile = 0;
inline constexpr std::uint32_t kCreatedNewKey = 1;
inline constexpr std::uint32_t kOpenedExistingKey = 2;

// The statuses the calls return, signed as the system returns them.
inline constexpr std::int32_t kSuccess = err::kSuccess;
inline constexpr std::int32_t kFileNotFound = err::kFileNotFound;
inline constexpr std::int32_t kAccessDenied = err::kAccessDenied;
inline constexpr std::int32_t kInvalidHandle = err::kInvalidHandle;
inline constexpr std::int32_t kInvalidParameter = err::kInvalidParameter;
inline constexpr std::int32_t kMoreData = err::kMoreData;
inline constexpr std::int32_t kNoMoreItems = err::kNoMoreItems;
inline constexpr std::int32_t kKeyDeleted = err::kKeyDeleted;
}  // namespace reg

// Opens `subKey` below `root` (an empty subkey opens a new handle to `root` itself).
std::int32_t RegOpenKeyExA(RegKey root, const std::string& subKey, std::uint32_t options,
                           std::uint32_t access, RegKey* result);

// Opens `subKey` below `root`, creating it and any missing keys along the path.
// `disposition` (may be null) receives REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY.
std::int32_t RegCreateKeyExA(RegKey root, const std::string& subKey, std::uint32_t options,
                             std::uint32_t access, RegKey* result, std::uint32_t* disposition);

// Reads value `name` (empty: the key's default value). `type` and `data` may be null;
// `size` holds the buffer's size on entry and the value's size on return. When the
// buffer is too small the answer is ERROR_MORE_DATA with the needed size in `size`.
std::int32_t RegQueryValueExA(RegKey key, const std::string& name, std::uint32_t* type,
                              void* data, std::uint32_t* size);

// Stores `size` bytes of `data` as value `name` of type `type`.
std::int32_t RegSetValueExA(RegKey key, const std::string& name, std::uint32_t type,
                            const void* data, std::uint32_t size);

// The value at `index`: its name into `name` (room for `*nameLength` characters, the
// terminating zero included; on success `*nameLength` is the name's length without
// it). A name that does not fit gives ERROR_MORE_DATA; an index past the last value
// gives ERROR_NO_MORE_ITEMS. `type`, `data` and `dataSize` may be null.
std::int32_t RegEnumValueA(RegKey key, std::uint32_t index, char* name,
                           std::uint32_t* nameLength, std::uint32_t* type, void* data,
                           std::uint32_t* dataSize);

std::int32_t RegDeleteValueA(RegKey key, const std::string& name);

// Deletes `subKey` below `key`; an empty subkey deletes `key` itself. A key that
// still has subkeys is not deleted.
std::int32_t RegDeleteKeyA(RegKey key, const std::string& subKey);

std::int32_t RegCloseKey(RegKey key);

// The process's 8-bit code page, the one names and texts cross this interface in
// (65001 for UTF-8; the native build always works in UTF-8).
std::uint32_t GetACP();

// Closes an opened key; the predefined roots are never closed, so an owner may hold a
// root in place of an opened key.
inline void CloseOpenedKey(RegKey key) {
  if (!reg::IsPredefined(key)) RegCloseKey(key);
}
using RegistryKey = UniqueHandle<ClosedBy<RegKey, &CloseOpenedKey>>;

}  // namespace platform
