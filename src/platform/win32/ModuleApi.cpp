#include "platform/ModuleApi.h"

#include <windows.h>

namespace platform {
namespace {
// The loaded module, freed with the object whatever happens in between.
class LoadedModule {
 public:
  explicit LoadedModule(const std::string& path) : module_(::LoadLibraryA(path.c_str())) {}
  ~LoadedModule() {
    if (module_) ::FreeLibrary(module_);
  }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;
  HMODULE Get() const { return module_; }

 private:
  HMODULE module_;
};

using EntryPoint = HRESULT(STDAPICALLTYPE*)();
}  // namespace

std::optional<std::int32_t> CallModuleEntry(const std::string& path, const char* entryName) {
  LoadedModule module(path);
  if (!module.Get()) return std::nullopt;
  FARPROC address = ::GetProcAddress(module.Get(), entryName);
  if (!address) return std::nullopt;
  // Through the generic function pointer type, as the export's type is known only here.
  auto entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void (*)()>(address));
  return static_cast<std::int32_t>(entry());
}

bool CopyFileA(const std::string& existing, const std::string& target, bool failIfExists) {
  return ::CopyFileA(existing.c_str(), target.c_str(), failIfExists ? TRUE : FALSE) != FALSE;
}

}  // namespace platform
