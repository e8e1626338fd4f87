#pragma once
// Program icons: one small icon taken from a file and rendered into plain pixels. The
// Windows build calls ExtractIconExA, DrawIconEx and DestroyIcon; the native build
// answers from a scripted table of icons (platform/standin/IconTable.h).
#include <cstdint>
#include <string>

#include "platform/UniqueHandle.h"
#include "platform/Picture.h"

namespace platform {

using IconValue = std::uintptr_t;
void DestroyIcon(IconValue icon);

struct IconTraits {
  using Value = IconValue;
  static constexpr Value kNone = 0;
  static void Close(Value value) { DestroyIcon(value); }
};
using Icon = UniqueHandle<IconTraits>;

// The largest width or height RenderIcon draws; larger sizes give an empty picture.
inline constexpr int kMaxIconSide = 1024;

// The small icon at `index` of the file at `path` (no large icon, one small icon);
// an empty owner when the file cannot be read or has no icon at that index.
Icon ExtractSmallIcon(const std::string& path, int index);

// `icon` drawn at 0,0 with the given size (DI_NORMAL) onto a cleared canvas of that
// size: width x height BGRA pixels, rows top to bottom. An empty picture when there is
// no icon, the size is not from 1 to kMaxIconSide, or the drawing fails.
Picture RenderIcon(const Icon& icon, int width, int height);

}  // namespace platform
