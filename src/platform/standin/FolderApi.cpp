// The native build's folder calls over POSIX folders, and an environment of the
// program's own: the host's environment is never read, so nothing the tests do lands
// in a folder they did not choose.
#include "platform/FolderApi.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>

#include "platform/AsciiCase.h"
#include "platform/FileApi.h"
#include "platform/standin/HostPath.h"

namespace platform {
namespace {
std::map<std::string, std::string> environment;

bool Fail(std::uint32_t code) {
  SetLastError(code);
  return false;
}

// The host path of an existing folder, or nothing.
std::optional<std::string> HostFolder(const std::string& folder) {
  std::optional<std::string> host = standin::ToHostPath(folder);
  struct stat info {};
  if (!host || ::stat(host->c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::nullopt;
  return host;
}

// Variable names are compared without regard to case, as Windows does.
std::string Key(const std::string& name) { return UpperCase(name); }
}  // namespace

bool CreateDirectoryA(const std::string& path) {
  std::optional<std::string> host = standin::ToHostPath(path);
  if (!host) return Fail(err::kPathNotFound);
  if (::mkdir(host->c_str(), 0755) == 0) return true;
  if (errno == EEXIST) return Fail(err::kAlreadyExists);
  return Fail(errno == ENOENT ? err::kPathNotFound : standin::WindowsErrorFromErrno(errno));
}

bool DeleteFileA(const std::string& path) {
  std::optional<std::string> host = standin::ToHostPath(path);
  if (!host) return Fail(err::kPathNotFound);
  struct stat info {};
  if (::stat(host->c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return Fail(err::kAccessDenied);
  if (::unlink(host->c_str()) == 0) return true;
  return Fail(standin::WindowsErrorFromErrno(errno));
}

std::optional<std::vector<std::string>> ListFileNames(const std::string& folder) {
  std::optional<std::string> host = HostFolder(folder);
  if (!host) {
    Fail(err::kPathNotFound);
    return std::nullopt;
  }
  DIR* dir = ::opendir(host->c_str());
  if (!dir) {
    Fail(standin::WindowsErrorFromErrno(errno));
    return std::nullopt;
  }
  std::vector<std::string> names;
  while (dirent* entry = ::readdir(dir)) {
    struct stat info {};
    const std::string path = *host + "/" + entry->d_name;
    if (::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  return names;
}

std::optional<std::string> GetEnvironmentVariableA(const std::string& name) {
  auto found = environment.find(Key(name));
  if (found == environment.end()) {
    Fail(203);  // ERROR_ENVVAR_NOT_FOUND
    return std::nullopt;
  }
  return found->second;
}

bool SetEnvironmentVariableA(const std::string& name, const std::optional<std::string>& value) {
  if (value)
    environment[Key(name)] = *value;
  else
    environment.erase(Key(name));
  return true;
}

}  // namespace platform
