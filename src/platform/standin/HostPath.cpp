#include "platform/standin/HostPath.h"

#include <dirent.h>

#include <array>
#include <cerrno>
#include <cstdint>

#include "platform/TextApi.h"
#include "platform/FileApi.h"

namespace platform::standin {
namespace {
std::array<std::string, 26> driveRoots;

bool IsDrivePath(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// The entry of `folder` whose name equals `name` without regard to case.
std::optional<std::string> FindEntry(const std::string& folder, const std::string& name) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return std::nullopt;
  std::optional<std::string> found;
  while (dirent* entry = ::readdir(dir)) {
    if (name == entry->d_name) {
      found = name;
      break;
    }
    if (!found && SamePath(name, entry->d_name)) found = entry->d_name;
  }
  ::closedir(dir);
  return found;
}
}  // namespace

void SetDriveRoot(char letter, const std::string& folder) {
  char upper = (letter >= 'a' && letter <= 'z') ? char(letter - 'a' + 'A') : letter;
  if (upper < 'A' || upper > 'Z') return;
  driveRoots[upper - 'A'] = folder;
}

std::optional<std::string> ToHostPath(const std::string& path) {
  if (!IsDrivePath(path)) return path;
  char upper = (path[0] >= 'a') ? char(path[0] - 'a' + 'A') : path[0];
  std::string host = driveRoots[upper - 'A'];
  if (host.empty()) return std::nullopt;
  std::size_t pos = 2;
  while (pos < path.size()) {
    if (path[pos] == '\\' || path[pos] == '/') {
      ++pos;
      continue;
    }
    std::size_t end = path.find_first_of("\\/", pos);
    if (end == std::string::npos) end = path.size();
    std::string name = path.substr(pos, end - pos);
    bool last = end == path.size();
    std::optional<std::string> entry = FindEntry(host, name);
    if (!entry && !last) return std::nullopt;
    host += "/" + entry.value_or(name);
    pos = end;
  }
  return host;
}

std::uint32_t WindowsErrorFromErrno(int error) {
  switch (error) {
    case ENOENT: return err::kFileNotFound;
    case ENOTDIR: return err::kPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR: return err::kAccessDenied;
    case EEXIST: return err::kFileExists;
    case EBADF: return err::kInvalidHandle;
    case EINVAL: return err::kInvalidParameter;
    case ENAMETOOLONG: return 206;  // ERROR_FILENAME_EXCED_RANGE
    case EMFILE: return 4;          // ERROR_TOO_MANY_OPEN_FILES
    default: return 31;             // ERROR_GEN_FAILURE
  }
}

}  // namespace platform::standin
