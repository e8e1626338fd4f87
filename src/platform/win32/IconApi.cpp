// The real icon calls: ExtractIconExA for one small icon, DrawIconEx into a 32-bit
// top-down DIB section, DestroyIcon.
#include "platform/IconApi.h"
#include "platform/win32/Owners.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <vector>

namespace platform {
namespace {

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

namespace {
// `icon` drawn at 0,0 with `flags` onto a cleared 32-bit canvas; empty on failure.
std::vector<std::uint32_t> Draw(HICON icon, int width, int height, UINT flags) {
  MemoryDcOwner dc(::CreateCompatibleDC(nullptr));
  if (!dc) return {};
  BITMAPINFO info = TopDownBgra(width, height);
  void* bits = nullptr;
  BitmapOwner bitmap(::CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return {};
  Selection selected(dc.Get(), bitmap.Get());
  if (!selected.Ok() || !::DrawIconEx(dc.Get(), 0, 0, icon, width, height, 0, nullptr, flags))
    return {};
  ::GdiFlush();
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  std::memcpy(pixels.data(), bits, pixels.size() * sizeof(std::uint32_t));
  return pixels;
}
}  // namespace

Picture RenderIcon(const Icon& icon, int width, int height) {
  if (!icon || width < 1 || height < 1 || width > kMaxIconSide || height > kMaxIconSide) {
    return {};
  }
  HICON handle = reinterpret_cast<HICON>(icon.Get());
  std::vector<std::uint32_t> pixels = Draw(handle, width, height, DI_NORMAL);
  if (pixels.empty()) return {};
  // An icon without an alpha channel leaves every alpha byte 0; its transparency is in
  // its mask then (white where the background shows), which gives the alpha instead.
  bool hasAlpha = false;
  for (std::uint32_t pixel : pixels) hasAlpha |= (pixel >> 24) != 0;
  if (!hasAlpha) {
    std::vector<std::uint32_t> mask = Draw(handle, width, height, DI_MASK);
    if (mask.size() != pixels.size()) return {};
    for (std::size_t i = 0; i < pixels.size(); ++i)
      pixels[i] = (mask[i] & 0x00FFFFFFu) ? 0u : (pixels[i] | 0xFF000000u);
  }
  return Picture{width, height, std::move(pixels)};
}

}  // namespace platform
