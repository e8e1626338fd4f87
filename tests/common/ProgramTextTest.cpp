// File names of program paths, the letter rotation of Explorer's recent-program list,
// and text in the system's 8-bit code pages (the real conversion and the stand-in alike).
#include <gtest/gtest.h>

#include <string>

#include "platform/ProgramText.h"
#include "platform/TextApi.h"

TEST(ProgramTextTest, FileNameIsTheTextAfterTheLastBackslash) {
  struct Case {
    const char* path;
    const char* name;
  };
  const Case cases[] = {
      {"c:\\apps\\tool.exe", "tool.exe"},
      {"C:\\A\\B\\C\\Deep.EXE", "Deep.EXE"},    // case kept, only the last part
      {"notepad.exe", "notepad.exe"},           // no backslash: the whole text
      {"c:\\dir\\", ""},                        // ends in a backslash
      {"\\", ""},
      {"", ""},
      {"\\\\server\\share\\x.exe", "x.exe"},
      {"c:/forward/slash.exe", "c:/forward/slash.exe"},  // only backslashes separate
      {"c:\\name with blanks .exe", "name with blanks .exe"},
  };
  for (const Case& c : cases) EXPECT_EQ(GetFileName(c.path), c.name) << c.path;
}

TEST(ProgramTextTest, Rot13DecodesRecentProgramNames) {
  EXPECT_EQ(Rot13("P:\\Jvaqbjf\\abgrcnq.rkr"), "C:\\Windows\\notepad.exe");
  EXPECT_EQ(Rot13("abcdefghijklmnopqrstuvwxyz"), "nopqrstuvwxyzabcdefghijklm");
  EXPECT_EQ(Rot13("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), "NOPQRSTUVWXYZABCDEFGHIJKLM");
}

TEST(ProgramTextTest, Rot13LeavesEverythingButAsciiLettersAlone) {
  const std::string others = "0123456789 :\\./{}-_@[`{~\x7f";
  EXPECT_EQ(Rot13(""), "");
  EXPECT_EQ(Rot13(others), others);
  // Bytes of the 8-bit code page above ASCII (here "é", "ü" in Windows-1252) stay.
  const std::string accented = "\xe9\xfc\xc9";
  EXPECT_EQ(Rot13(accented), accented);
}

TEST(ProgramTextTest, Rot13TwiceIsTheIdentityOnEveryByte) {
  std::string all;
  for (int c = 1; c < 256; ++c) all.push_back(static_cast<char>(c));
  const std::string once = Rot13(all);
  EXPECT_NE(once, all);
  EXPECT_EQ(Rot13(once), all);
}

TEST(ProgramTextTest, OwnTextsFollowTheCodePageAndPathsItsLetterCase) {
  // “A” – ‘b’ é
  const std::string text = "\xE2\x80\x9C" "A\xE2\x80\x9D \xE2\x80\x93 \xE2\x80\x98" "b\xE2\x80\x99 \xC3\xA9";
  EXPECT_EQ(platform::FromUtf8(text, 65001), text);
  EXPECT_EQ(platform::FromUtf8(text, 1252), "\x93" "A\x94 \x96 \x91" "b\x92 \xE9");
  EXPECT_EQ(platform::FromUtf8(text, 20127), "\"A\" - 'b' ?");  // US-ASCII
  ASSERT_EQ(platform::ActiveCodePage(), 65001u);  // the program's manifest, or the stand-in's default
  const std::string mixed = "C:\\Apps\\\xC3\x9Cn\xC3\xAF\\\xCE\xA3\xCE\xB1.exe";  // Ünï\Σα
  EXPECT_EQ(platform::LowerCasePath(mixed), "c:\\apps\\\xC3\xBCn\xC3\xAF\\\xCF\x83\xCE\xB1.exe");
  EXPECT_EQ(platform::UpperCasePath(mixed), "C:\\APPS\\\xC3\x9CN\xC3\x8F\\\xCE\xA3\xCE\x91.EXE");
}
