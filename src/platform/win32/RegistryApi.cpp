// The real registry calls: advapi32's "A" entry points, statuses passed back untouched.
#include "platform/RegistryApi.h"

#include <windows.h>

namespace platform {

// The program's names for the registry's constants. The predefined roots are handles
// (pointers), which no constant expression can compare; ToHkey below makes them.
static_assert(reg::kQueryValue == KEY_QUERY_VALUE && reg::kSetValue == KEY_SET_VALUE);
static_assert(reg::kCreateSubKey == KEY_CREATE_SUB_KEY &&
              reg::kEnumerateSubKeys == KEY_ENUMERATE_SUB_KEYS);
static_assert(reg::kWow64Key64 == KEY_WOW64_64KEY && reg::kWow64Key32 == KEY_WOW64_32KEY);
static_assert(reg::kDelete == DELETE && reg::kAllAccess == KEY_ALL_ACCESS);
static_assert(reg::kNoType == REG_NONE && reg::kSz == REG_SZ && reg::kExpandSz == REG_EXPAND_SZ);
static_assert(reg::kBinary == REG_BINARY && reg::kDword == REG_DWORD &&
              reg::kMultiSz == REG_MULTI_SZ && reg::kQword == REG_QWORD);
static_assert(reg::kNonVolatile == REG_OPTION_NON_VOLATILE);
static_assert(reg::kCreatedNewKey == REG_CREATED_NEW_KEY &&
              reg::kOpenedExistingKey == REG_OPENED_EXISTING_KEY);
// The statuses are the system error numbers (err::), checked against the SDK with the file calls.
namespace {
// The predefined roots are sign-extended 32-bit values in a 64-bit process.
HKEY ToHkey(RegKey key) {
  if (reg::IsPredefined(key)) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(key)));
  }
  return reinterpret_cast<HKEY>(key);
}

// A predefined root handed back (an empty subkey opens the root itself) keeps its
// portable value, so that owners recognise it.
RegKey FromHkey(HKEY key) {
  auto raw = reinterpret_cast<RegKey>(key);
  auto low = static_cast<std::uint32_t>(raw);
  if (reg::IsPredefined(low) &&
      static_cast<std::intptr_t>(raw) == static_cast<std::intptr_t>(static_cast<LONG>(low)))
    return low;
  return raw;
}

const BYTE* Bytes(const void* data) { return static_cast<const BYTE*>(data); }
}  // namespace

std::int32_t RegOpenKeyExA(RegKey root, const std::string& subKey, std::uint32_t options,
                           std::uint32_t access, RegKey* result) {
  HKEY opened = nullptr;
  LONG status = ::RegOpenKeyExA(ToHkey(root), subKey.c_str(), options, access, &opened);
  *result = status == ERROR_SUCCESS ? FromHkey(opened) : 0;
  return status;
}

std::int32_t RegCreateKeyExA(RegKey root, const std::string& subKey, std::uint32_t options,
                             std::uint32_t access, RegKey* result, std::uint32_t* disposition) {
  HKEY created = nullptr;
  DWORD how = 0;
  LONG status = ::RegCreateKeyExA(ToHkey(root), subKey.c_str(), 0, nullptr, options, access,
                                  nullptr, &created, disposition ? &how : nullptr);
  *result = status == ERROR_SUCCESS ? FromHkey(created) : 0;
  if (disposition) *disposition = how;
  return status;
}

std::int32_t RegQueryValueExA(RegKey key, const std::string& name, std::uint32_t* type,
                              void* data, std::uint32_t* size) {
  DWORD kind = type ? *type : 0;
  DWORD bytes = size ? *size : 0;
  LONG status = ::RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, type ? &kind : nullptr,
                                   static_cast<BYTE*>(data), size ? &bytes : nullptr);
  if (type) *type = kind;
  if (size) *size = bytes;
  return status;
}

std::int32_t RegSetValueExA(RegKey key, const std::string& name, std::uint32_t type,
                            const void* data, std::uint32_t size) {
  return ::RegSetValueExA(ToHkey(key), name.c_str(), 0, type, Bytes(data), size);
}

std::int32_t RegEnumValueA(RegKey key, std::uint32_t index, char* name,
                           std::uint32_t* nameLength, std::uint32_t* type, void* data,
                           std::uint32_t* dataSize) {
  DWORD length = *nameLength;
  DWORD kind = type ? *type : 0;
  DWORD bytes = dataSize ? *dataSize : 0;
  LONG status = ::RegEnumValueA(ToHkey(key), index, name, &length, nullptr,
                                type ? &kind : nullptr, static_cast<BYTE*>(data),
                                dataSize ? &bytes : nullptr);
  *nameLength = length;
  if (type) *type = kind;
  if (dataSize) *dataSize = bytes;
  return status;
}

std::int32_t RegDeleteValueA(RegKey key, const std::string& name) {
  return ::RegDeleteValueA(ToHkey(key), name.c_str());
}

std::int32_t RegDeleteKeyA(RegKey key, const std::string& subKey) {
  return ::RegDeleteKeyA(ToHkey(key), subKey.c_str());
}

std::int32_t RegCloseKey(RegKey key) { return ::RegCloseKey(ToHkey(key)); }

std::uint32_t GetACP() { return ::GetACP(); }

}  // namespace platform
