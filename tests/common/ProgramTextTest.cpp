// File names of program paths, the letter rotation of Explorer's recent-program list,
// and text in the system's 8-bit code pages (the real conversion and the stand-in alike).
#include <gtest/gtest.h>

#include <string>

#include "platform/ProgramText.h"
#include "platform/TextApi.h"

TEST(ProgramTextTest, FileNameIsAfterTheLastBackslashAndRot13TurnsAsciiLettersOnly) {
  EXPECT_EQ(GetFileName("C:\\A\\B\\Deep.EXE"), "Deep.EXE");
  // The ends of each half of the alphabet, the letters' neighbours, code-page bytes ("é").
  EXPECT_EQ(Rot13("AMNZamnz@[`{09 \x7f\xe9"), "NZAMnzam@[`{09 \x7f\xe9");
}

TEST(ProgramTextTest, OwnTextsFollowTheCodePageAndPathsItsLetterCase) {
  // “A” – ‘b’ é
  const std::string text = "\xE2\x80\x9C" "A\xE2\x80\x9D \xE2\x80\x93 \xE2\x80\x98" "b\xE2\x80\x99 \xC3\xA9";
  EXPECT_EQ(platform::FromUtf8(text, 1252), "\x93" "A\x94 \x96 \x91" "b\x92 \xE9");
  EXPECT_EQ(platform::FromUtf8(text, 20127), "\"A\" - 'b' ?");  // US-ASCII
  ASSERT_EQ(platform::ActiveCodePage(), 65001u);  // the program's manifest, or the stand-in's default
  const std::string mixed = "C:\\Apps\\\xC3\x9Cn\xC3\xAF\\\xCE\xA3\xCE\xB1.exe";  // Ünï\Σα
  EXPECT_EQ(platform::LowerCasePath(mixed), "c:\\apps\\\xC3\xBCn\xC3\xAF\\\xCF\x83\xCE\xB1.exe");
  EXPECT_EQ(platform::UpperCasePath(mixed), "C:\\APPS\\\xC3\x9CN\xC3\x8F\\\xCE\xA3\xCE\x91.EXE");
}
