#pragma once
// Component files: copying a file and calling an exported entry point of a module
// (the self-registration of a component). The native build has no modules: there no
// module can be loaded, and a copy works on the files that drive paths map to.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// Loads the module at `path` (LoadLibraryA), looks up its export `entryName` and calls
// it as a function without arguments that returns a 32-bit status. Nothing when the
// module cannot be loaded or has no such export. The module is freed in every case.
std::optional<std::int32_t> CallModuleEntry(const std::string& path, const char* entryName);

// Copies `existing` to `target`; an existing target is replaced unless `failIfExists`.
bool CopyFileA(const std::string& existing, const std::string& target, bool failIfExists);

}  // namespace platform
