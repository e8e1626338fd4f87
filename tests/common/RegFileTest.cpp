// Registry files of the compatibility list: written, read back, and refused saying where.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/LayersState.h"
#include "compat/LayersKey.h"
#include "compat/RegFile.h"

namespace {
using layers_state::Shown;
using Status = RegFileContents::Status;

RegFileContents Read(const std::string& text) {
  return ReadRegFile(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                     kLayersKeyName);
}

const std::string kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";
const std::string kKeyLine = std::string("[") + kLayersKeyName + "]\r\n";
}  // namespace

// What is written reads back the same (the system's `reg import` takes it too); a stray
// byte of UTF-8 is U+FFFD, and a text a quoted string cannot hold is left out.
TEST(RegFileTest, WritesWhatReadsBackTheSame) {
  std::vector<std::string> skipped;
  const std::string bytes = WriteRegFile(
      kLayersKeyName,
      {{"C:\\A \"B\".EXE", RegistryData(std::string("~ HIGHDPIAWARE \\"))},
       {"", RegistryData(std::int32_t{-2})},
       {"C:\\X.EXE", RegistryData(std::string("TWO\r\nLINES"))},
       {"C:\\\xC3\xA9\xF0\x9D\x84\x9E\x80.EXE", RegistryData(std::string())}},
      skipped);
  EXPECT_EQ(skipped, std::vector<std::string>{"C:\\X.EXE"});
  const RegFileContents back = Read(bytes);
  ASSERT_EQ(back.status, Status::Ok) << back.line << ": " << back.problem;
  EXPECT_EQ(Shown(back.values), (std::vector<std::string>{"C:\\A \"B\".EXE=~ HIGHDPIAWARE \\", "=#-2",
                                                          "C:\\\xC3\xA9\xF0\x9D\x84\x9E\xEF\xBF\xBD.EXE="}));
}

TEST(RegFileTest, AcceptsCommentsBlanksDeletionsAndEitherRootName) {
  const RegFileContents contents = Read(
      "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n; saved by hand\n"
      "[hkcu\\software\\microsoft\\windows nt\\currentversion\\appcompatflags\\layers]\n"
      "  \"C:\\\\A.EXE\" = \"HIGHDPIAWARE\"  \n\"C:\\\\B.EXE\"=-\n@=DWORD:0000001F\r\n" + kKeyLine);
  ASSERT_EQ(contents.status, Status::Ok) << contents.line << ": " << contents.problem;
  EXPECT_EQ(Shown(contents.values), (std::vector<std::string>{"C:\\A.EXE=HIGHDPIAWARE", "C:\\B.EXE=-", "=#31"}));
}

TEST(RegFileTest, RefusesOtherKeysAndMalformedLinesSayingWhere) {
  // Lines after the header and the key line, and where and why they are refused.
  struct Case { std::string lines; Status status; std::size_t line; std::string problem; };
  const std::string other = "HKEY_LOCAL_MACHINE\\Software\\Other";
  const Case cases[] = {
      {"[" + other + "]\r\n\"A\"=\"B\"\r\n", Status::OtherKey, 4, other},
      {std::string("[-") + kLayersKeyName + "]\r\n", Status::Malformed, 4, "whole key"},
      {"[]\r\n", Status::Malformed, 4, "\"]\""},
      {"\r\n\"A\"=hex:01,02\r\n", Status::Malformed, 5, "hex"},
      {"\"A\"=\"B\r\n", Status::Malformed, 4, "does not end"},
      {"\"A\\n\"=\"B\"\r\n", Status::Malformed, 4, "backslash"},
      {"\"A\"=dword:123456789\r\n", Status::Malformed, 4, "dword"},
      {"\"A\"=\"B\" x\r\n", Status::Malformed, 4, "follows"},
      {"\"A\" \"B\"\r\n", Status::Malformed, 4, "\"=\""},
      {"A=\"B\"\r\n", Status::Malformed, 4, "neither"},
  };
  for (const Case& c : cases) {
    const RegFileContents contents = Read(kHeader + kKeyLine + c.lines);
    EXPECT_EQ(contents.status, c.status) << c.lines;
    EXPECT_EQ(contents.line, c.line) << c.lines;
    EXPECT_NE(contents.problem.find(c.problem), std::string::npos) << c.lines << " -> " << contents.problem;
  }
  EXPECT_EQ(Read("REGEDIT4\r\n" + kKeyLine).status, Status::Malformed);
  EXPECT_EQ(Read(kHeader + "\"A\"=\"B\"\r\n").line, 3u);  // a value before any key
}
