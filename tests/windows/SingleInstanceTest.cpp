// End to end with the real Sharpwell.exe: a second start while one runs is refused
// with the "already running" message and ends; the first goes on.
#include "windows/WineSession.h"

#include <gtest/gtest.h>

#include <string>

using namespace wine_session;

TEST(SingleInstanceTest, SecondStartIsRefusedWithTheMessageAndEnds) {
  const std::string exe = Quoted(ProgramBeside("Sharpwell.exe"));
  Child first(exe);
  ASSERT_TRUE(first.Started());
  ASSERT_NE(WaitForTopLevel(first.Id(), "SharpwellMainWindow", 20000), nullptr);

  Child second(exe);
  ASSERT_TRUE(second.Started());
  HWND box = WaitForTopLevel(second.Id(), "#32770", 20000);
  ASSERT_NE(box, nullptr);
  // The box is found as soon as it exists; its title and text follow at once.
  WaitUntil([&] { return !TextOf(box).empty(); }, 5000);
  EXPECT_EQ(TextOf(box), "Sharpwell");
  EXPECT_EQ(TextOf(box, 0xFFFF), "This program is already running!\r\n\r\nPlease check your system tray.");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(second.WaitForExit(10000));
  EXPECT_TRUE(first.Running());
}
