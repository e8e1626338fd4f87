// Small icons taken from real files and drawn by the real system (under Wine).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/TempFolder.h"
#include "platform/IconApi.h"

namespace {
const std::string kShell32 = "C:\\Windows\\system32\\shell32.dll";
const std::string kFixtures = SHARPWELL_FIXTURE_DIR;

std::uint32_t PixelAt(const Picture& picture, int x, int y) {
  return picture.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
                        static_cast<std::size_t>(x)];
}

constexpr std::uint32_t Rgb(std::uint32_t bgra) { return bgra & 0x00FFFFFFu; }
}  // namespace

TEST(IconApiTest, DefaultIconRendersAsARealPicture) {
  platform::Icon icon = platform::ExtractSmallIcon(kShell32, 2);
  ASSERT_TRUE(icon);
  Picture picture = platform::RenderIcon(icon, 16, 16);
  ASSERT_TRUE(picture.IsWellFormed());
  EXPECT_EQ(picture.width, 16);
  EXPECT_EQ(picture.height, 16);
  const std::uint32_t first = picture.pixels.front();
  EXPECT_TRUE(std::any_of(picture.pixels.begin(), picture.pixels.end(),
                          [&](std::uint32_t pixel) { return pixel != first; }));
}

TEST(IconApiTest, ProgramIconIsDrawnWithItsOwnColoursAtTheAskedSize) {
  // The fixture's icon: a dark grey frame around blue (BGRA D0 80 30 FF).
  platform::Icon icon = platform::ExtractSmallIcon(kFixtures + "\\x64\\gui_icon.exe", 0);
  ASSERT_TRUE(icon);
  for (int side : {16, 24, 32}) {
    Picture picture = platform::RenderIcon(icon, side, side);
    ASSERT_TRUE(picture.IsWellFormed()) << side;
    EXPECT_EQ(Rgb(PixelAt(picture, side / 2, side / 2)), 0x3080D0u) << side;
    EXPECT_EQ(Rgb(PixelAt(picture, 0, 0)), 0x202020u) << side;
    // The icon has no alpha channel: its mask makes the drawn pixels opaque, so an image
    // list with alpha shows them instead of nothing.
    EXPECT_EQ(PixelAt(picture, side / 2, side / 2) >> 24, 0xFFu) << side;
  }
  EXPECT_FALSE(platform::ExtractSmallIcon(kFixtures + "\\x64\\gui_icon.exe", 1));
}

TEST(IconApiTest, FilesWithoutIconsGiveNone) {
  TempFolder folder;
  const std::string text = folder.Write("notes.txt", "no icons here");
  EXPECT_FALSE(platform::ExtractSmallIcon(kFixtures + "\\x64\\no_manifest.exe", 0));
  EXPECT_FALSE(platform::ExtractSmallIcon(text, 0));
  EXPECT_FALSE(platform::ExtractSmallIcon("C:\\no\\such\\file.exe", 0));
  EXPECT_FALSE(platform::RenderIcon(platform::Icon(), 16, 16).IsWellFormed());
}

TEST(IconApiTest, OwnerDestroysTheIcon) {
  HICON raw = nullptr;
  {
    platform::Icon icon = platform::ExtractSmallIcon(kShell32, 2);
    ASSERT_TRUE(icon);
    raw = reinterpret_cast<HICON>(icon.Get());
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(raw, &info));
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
  }
  ICONINFO info = {};
  EXPECT_FALSE(::GetIconInfo(raw, &info));
}
