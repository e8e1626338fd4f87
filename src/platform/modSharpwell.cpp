#include "platform/modSharpwell.h"

namespace modSharpwell {
std::string AppExePath;
std::string AppProductName;

std::string MakeAppExePath(const std::string& folder, const std::string& baseName) {
  std::string path = folder;
  if (path.empty() || path.back() != '\\') path += '\\';
  return path + baseName + ".exe";
}
}  // namespace modSharpwell
