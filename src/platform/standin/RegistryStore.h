#pragma once
// The native build's registry: a tree of keys held in memory behind the advapi32
// contract of platform/RegistryApi.h. Tests use these functions to start from an
// empty registry and to see which calls reached it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform::standin {

// One call that reached the registry. `number` is what the call was asked to work
// with: the access mask of an open or create, the buffer size of a query (0 without a
// buffer), the name-buffer length of a listing, the data size of a store.
struct RegistryCall {
  std::string function;  // "RegOpenKeyExA", "RegQueryValueExA", ...
  std::string name;      // the subkey or value name passed
  std::uint32_t number = 0;
};

// Empties every root, forgets every open handle and the call log.
void ResetRegistry();

// Handles opened or created and not yet closed.
std::size_t OpenRegistryHandles();

const std::vector<RegistryCall>& RegistryCalls();
void ClearRegistryCalls();

}  // namespace platform::standin
