// Small icons taken from real files and drawn by the real system (under Wine).
#include "platform/IconApi.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {
const std::string kIconic = std::string(SHARPWELL_FIXTURE_DIR) + "\\x64\\gui_icon.exe";
}  // namespace

TEST(IconApiTest, ProgramIconIsDrawnWithItsOwnColoursAtTheAskedSizeAndAFileWithoutOneGivesNone) {
  EXPECT_FALSE(platform::ExtractSmallIcon(kIconic, 1));
  // The fixture's icon: a dark grey frame around blue (BGRA D0 80 30 FF).
  platform::Icon icon = platform::ExtractSmallIcon(kIconic, 0);
  ASSERT_TRUE(icon);
  for (int side : {16, 24, 32}) {
    SCOPED_TRACE(side);
    Picture picture = platform::RenderIcon(icon, side, side);
    ASSERT_TRUE(picture.IsWellFormed());
    ASSERT_EQ(picture.width, side);
    // The icon has no alpha channel: its mask makes the drawn pixels opaque, so an image
    // list with alpha shows them instead of nothing.
    EXPECT_EQ(picture.pixels[static_cast<std::size_t>(side / 2 * side + side / 2)], 0xFF3080D0u);
    EXPECT_EQ(picture.pixels[0] & 0x00FFFFFFu, 0x202020u);
  }
}
