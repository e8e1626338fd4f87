// The real folder and environment calls of kernel32.
#include "platform/FileApi.h"
#include "platform/FolderApi.h"
#include "platform/UniqueHandle.h"

#include <windows.h>

namespace platform {
namespace {
struct FindTraits {
  using Value = HANDLE;
  static inline const HANDLE kNone = INVALID_HANDLE_VALUE;
  static void Close(HANDLE find) { ::FindClose(find); }
};
}  // namespace

bool CreateDirectoryA(const std::string& path) { return ::CreateDirectoryA(path.c_str(), nullptr) != FALSE; }

bool DeleteFileA(const std::string& path) { return ::DeleteFileA(path.c_str()) != FALSE; }

std::optional<std::vector<std::string>> ListFileNames(const std::string& folder) {
  WIN32_FIND_DATAA found{};
  UniqueHandle<FindTraits> find(::FindFirstFileA((folder + "\\*").c_str(), &found));
  if (!find) return std::nullopt;
  std::vector<std::string> names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
  } while (::FindNextFileA(find.Get(), &found));
  return names;
}

std::optional<std::string> GetEnvironmentVariableA(const std::string& name) {
  DWORD size = ::GetEnvironmentVariableA(name.c_str(), nullptr, 0);
  if (size == 0) return std::nullopt;
  std::string value(size, '\0');
  DWORD length = ::GetEnvironmentVariableA(name.c_str(), value.data(), size);
  if (length == 0 || length >= size) return std::nullopt;
  value.resize(length);
  return value;
}

bool SetEnvironmentVariableA(const std::string& name, const std::optional<std::string>& value) {
  return ::SetEnvironmentVariableA(name.c_str(), value ? value->c_str() : nullptr) != FALSE;
}

}  // namespace platform
