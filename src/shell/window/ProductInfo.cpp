#include "shell/window/ProductInfo.h"

#include <windows.h>

#include <vector>

#include "platform/modSharpwell.h"
#include "shell/AppText.h"

ModulePath OwnModulePath() {
  std::vector<char> buffer(MAX_PATH);
  DWORD length = 0;
  while ((length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()))) ==
             buffer.size() && buffer.size() < 32768)
    buffer.resize(buffer.size() * 2);
  ModulePath path;
  path.fullPath.assign(buffer.data(), length);
  std::size_t slash = path.fullPath.rfind('\\');
  std::string name = slash == std::string::npos ? path.fullPath : path.fullPath.substr(slash + 1);
  path.folder = slash == std::string::npos ? "" : path.fullPath.substr(0, slash);
  if (path.folder.size() == 2 && path.folder[1] == ':') path.folder += '\\';  // drive root
  std::size_t dot = name.rfind('.');
  path.baseName = dot == std::string::npos ? name : name.substr(0, dot);
  return path;
}

std::string ReadProductName(const std::string& executable) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(executable.c_str(), &ignored);
  if (size == 0) return AppText::ProductName;
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(executable.c_str(), 0, size, data.data())) return AppText::ProductName;
  struct Translation {
    WORD language, codePage;
  }* translations = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translations), &length) ||
      length < sizeof(Translation))
    return AppText::ProductName;
  char query[64];
  wsprintfA(query, "\\StringFileInfo\\%04x%04x\\ProductName", translations[0].language,
            translations[0].codePage);
  char* name = nullptr;
  if (!VerQueryValueA(data.data(), query, reinterpret_cast<void**>(&name), &length) || length == 0)
    return AppText::ProductName;
  return std::string(name);
}
