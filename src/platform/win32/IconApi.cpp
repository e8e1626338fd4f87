// The real icon calls: ExtractIconExA for one small icon, DrawIconEx into a 32-bit
// top-down DIB section, DestroyIcon.
#include "platform/IconApi.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

namespace platform {
namespace {
struct DcTraits {
  using Value = HDC;
  static constexpr Value kNone = nullptr;
  static void Close(Value dc) { ::DeleteDC(dc); }
};
struct BitmapTraits {
  using Value = HBITMAP;
  static constexpr Value kNone = nullptr;
  static void Close(Value bitmap) { ::DeleteObject(bitmap); }
};
using MemoryDc = UniqueHandle<DcTraits>;
using Bitmap = UniqueHandle<BitmapTraits>;

// Keeps `object` selected into `dc` for its lifetime, then puts back what was there.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~Selection() {
    if (previous_ && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  bool Ok() const { return previous_ && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

BITMAPINFO TopDownBgra(int width, int height) {
  BITMAPINFO info;
  std::memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: the first row is the top row
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}
}  // namespace

void DestroyIcon(IconValue icon) { ::DestroyIcon(reinterpret_cast<HICON>(icon)); }

Icon ExtractSmallIcon(const std::string& path, int index) {
  HICON small = nullptr;
  ::ExtractIconExA(path.c_str(), index, nullptr, &small, 1);
  return Icon(reinterpret_cast<IconValue>(small));
}

Picture RenderIcon(const Icon& icon, int width, int height) {
  if (!icon || width < 1 || height < 1 || width > kMaxIconSide || height > kMaxIconSide) {
    return {};
  }
  MemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return {};
  BITMAPINFO info = TopDownBgra(width, height);
  void* bits = nullptr;
  Bitmap bitmap(::CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return {};
  Picture picture;
  {
    Selection selected(dc.Get(), bitmap.Get());
    if (!selected.Ok()) return {};
    if (!::DrawIconEx(dc.Get(), 0, 0, reinterpret_cast<HICON>(icon.Get()), width, height, 0,
                      nullptr, DI_NORMAL)) {
      return {};
    }
    ::GdiFlush();
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::memcpy(picture.pixels.data(), bits, picture.pixels.size() * sizeof(std::uint32_t));
  }
  return picture;
}

}  // namespace platform
