// The native build's icon calls, answered from the scripted table of IconTable.h.
#include <algorithm>
#include <cctype>
#include <map>
#include <utility>

#include "platform/IconApi.h"
#include "platform/TextApi.h"
#include "platform/standin/IconTable.h"

namespace platform {
namespace {
struct IconTable {
  std::map<std::pair<std::string, int>, std::uint32_t> files;  // (lower-case path, index)
  std::map<IconValue, std::uint32_t> extracted;                // icon -> its colour
  IconValue lastIcon = 0;
};

IconTable& Table() {
  static IconTable table;
  return table;
}

}  // namespace

namespace standin {
void SetIcon(const std::string& path, int index, std::uint32_t bgra) {
  Table().files[{LowerCasePath(path), index}] = bgra;
}
void ResetIconTable() { Table().files.clear(); }
std::size_t OpenIconCount() { return Table().extracted.size(); }
}  // namespace standin

void DestroyIcon(IconValue icon) { Table().extracted.erase(icon); }

Icon ExtractSmallIcon(const std::string& path, int index) {
  IconTable& table = Table();
  auto found = table.files.find({LowerCasePath(path), index});
  if (found == table.files.end()) return Icon();
  IconValue icon = table.lastIcon += 4;
  table.extracted.emplace(icon, found->second);
  return Icon(icon);
}

Picture RenderIcon(const Icon& icon, int width, int height) {
  auto found = Table().extracted.find(icon.Get());
  if (found == Table().extracted.end() || width < 1 || height < 1 || width > kMaxIconSide ||
      height > kMaxIconSide) {
    return {};
  }
  Picture picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                        found->second);
  return picture;
}

}  // namespace platform
