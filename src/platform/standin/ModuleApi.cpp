#include "platform/ModuleApi.h"

#include "platform/standin/HostPath.h"

#include <filesystem>
#include <system_error>

namespace platform {

std::optional<std::int32_t> CallModuleEntry(const std::string&, const char*) {
  return std::nullopt;  // no module can be loaded here
}

bool CopyFileA(const std::string& existing, const std::string& target, bool failIfExists) {
  std::optional<std::string> from = standin::ToHostPath(existing);
  std::optional<std::string> to = standin::ToHostPath(target);
  if (!from || !to || !std::filesystem::is_regular_file(*from)) return false;
  const auto option = failIfExists ? std::filesystem::copy_options::none
                                   : std::filesystem::copy_options::overwrite_existing;
  std::error_code error;
  return std::filesystem::copy_file(*from, *to, option, error) && !error;
}

}  // namespace platform
