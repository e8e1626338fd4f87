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

// <windows.h> defines the names below as macros; a file that needs both includes
// this header first.
#if defined(REG_SZ) || defined(HKEY_CURRENT_USER) || defined(ERROR_MORE_DATA)
#error "include platform/RegistryApi.h before <windows.h>"
#endif

namespace platform {

// A key handle. The predefined roots are fixed values; 0 is never a valid key.
using RegKey = std::uintptr_t;

namespace reg {
inline constexpr RegKey HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr RegKey HKEY_CURRENT_USER = 0x80000001u;
inline constexpr RegKey HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr RegKey HKEY_USERS = 0x80000003u;
inline constexpr RegKey HKEY_PERFORMANCE_DATA = 0x80000004u;
inline constexpr RegKey HKEY_CURRENT_CONFIG = 0x80000005u;

inline constexpr bool IsPredefined(RegKey key) {
  return key >= HKEY_CLASSES_ROOT && key <= HKEY_CURRENT_CONFIG;
}

inline constexpr std::uint32_t KEY_QUERY_VALUE = 0x1;
inline constexpr std::uint32_t KEY_SET_VALUE = 0x2;
inline constexpr std::uint32_t KEY_CREATE_SUB_KEY = 0x4;
inline constexpr std::uint32_t KEY_ENUMERATE_SUB_KEYS = 0x8;
inline constexpr std::uint32_t KEY_WOW64_64KEY = 0x100;
inline constexpr std::uint32_t KEY_WOW64_32KEY = 0x200;
inline constexpr std::uint32_t DELETE = 0x10000;
inline constexpr std::uint32_t KEY_ALL_ACCESS = 0xF003F;

inline constexpr std::uint32_t REG_NONE = 0;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;
inline constexpr std::uint32_t REG_MULTI_SZ = 7;
inline constexpr std::uint32_t REG_QWORD = 11;

inline constexpr std::uint32_t REG_OPTION_NON_VOLATILE = 0;
inline constexpr std::uint32_t REG_CREATED_NEW_KEY = 1;
inline constexpr std::uint32_t REG_OPENED_EXISTING_KEY = 2;

inline constexpr std::int32_t ERROR_SUCCESS = 0;
inline constexpr std::int32_t ERROR_FILE_NOT_FOUND = 2;
inline constexpr std::int32_t ERROR_ACCESS_DENIED = 5;
inline constexpr std::int32_t ERROR_INVALID_HANDLE = 6;
inline constexpr std::int32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr std::int32_t ERROR_MORE_DATA = 234;
inline constexpr std::int32_t ERROR_NO_MORE_ITEMS = 259;
inline constexpr std::int32_t ERROR_KEY_DELETED = 1018;
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

// Owns one opened key and closes it once. Predefined roots are never closed, so an
// owner may hold a root in place of an opened key.
class RegistryKey {
 public:
  RegistryKey() = default;
  explicit RegistryKey(RegKey key) : key_(key) {}
  ~RegistryKey() { Reset(); }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  RegistryKey(RegistryKey&& other) noexcept : key_(other.Release()) {}
  RegistryKey& operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
      Reset();
      key_ = other.Release();
    }
    return *this;
  }

  RegKey Get() const { return key_; }
  explicit operator bool() const { return key_ != 0; }
  RegKey Release() {
    RegKey key = key_;
    key_ = 0;
    return key;
  }
  void Reset() {
    if (key_ != 0 && !reg::IsPredefined(key_)) RegCloseKey(key_);
    key_ = 0;
  }
  // For the open and create calls: closes what is held and gives the slot to fill.
  RegKey* Receive() {
    Reset();
    return &key_;
  }

 private:
  RegKey key_ = 0;
};

}  // namespace platform
