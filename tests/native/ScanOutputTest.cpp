// What scan prints (the tab-separated rows and the JSON array) and which programs the
// recommended compatibility list gives HIGHDPIAWARE.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScanCommand.h"
#include "platform/standin/CodePage.h"

namespace {
std::string Rendered(const std::vector<RegFileValue>& values) {
  std::string text;
  for (const RegFileValue& value : values) text += value.name + "=" + value.data.ToText() + "\n";
  return text;
}
}  // namespace

TEST(ScanOutputTest, RowsAndJsonCarryTheFiveFieldsInOrder) {
  const ScannedProgram notes{"N/A", "unaware", "", "", "c:\\data\\notes.txt"};
  EXPECT_EQ(ScanRow(notes), "N/A\tunaware\t\t\tc:\\data\\notes.txt");
  EXPECT_EQ(ScanJson({notes, {"No", "system", "x86", "~ \"A\"\tB\r\n\x01\x1F\x7F", "c:\\x.exe"}}),
            "[\n"
            "  {\"verdict\": \"N/A\", \"awareness\": \"unaware\", \"bits\": \"\", \"flags\": \"\", "
            "\"path\": \"c:\\\\data\\\\notes.txt\"},\n"
            "  {\"verdict\": \"No\", \"awareness\": \"system\", \"bits\": \"x86\", "
            "\"flags\": \"~ \\\"A\\\"\\tB\\r\\n\\u0001\\u001f\x7F\", \"path\": \"c:\\\\x.exe\"}\n"
            "]");
  EXPECT_EQ(ScanJson({}), "[]");
}

TEST(ScanOutputTest, JsonTextIsUtf8WhateverTheCodePage) {
  const auto pathInJson = [](const std::string& path) {
    const std::string json = ScanJson({{"No", "unaware", "x64", "", path}});
    const std::string key = "\"path\": \"";
    const std::size_t start = json.find(key) + key.size();
    return json.substr(start, json.rfind("\"}") - start);
  };
  platform::standin::SetActiveCodePage(1252);
  EXPECT_EQ(pathInJson("caf\xE9 \x80\x84\x88.exe"), "caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x9E\xCB\x86.exe");
  platform::standin::SetActiveCodePage(65001);
  // Each byte that is no UTF-8 (a cut sequence, an overlong form) becomes U+FFFD.
  EXPECT_EQ(pathInJson("\xE8\xA9\xA6\xC3(\xC0\xAF"),
            "\xE8\xA9\xA6\xEF\xBF\xBD(\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(ScanOutputTest, RecommendedAddsHighDpiAwareOnlyWhereWindowsStretchesAndNoModeIsSet) {
  const std::vector<RegFileValue> list = {
      {"C:\\Apps\\Old.exe", RegistryData(std::string("~ RUNASADMIN"))},
      {"C:\\APPS\\SET.EXE", RegistryData(std::string("DPIUNAWARE  GDIDPISCALING"))},
  };
  const std::vector<ScannedProgram> found = {
      {"No", "unaware", "x64", "~ RUNASADMIN", "c:\\apps\\old.exe"},
      {"No", "unaware", "x64", "DPIUNAWARE  GDIDPISCALING", "c:\\apps\\set.exe"},
      {"No", "unaware", "x64", "", "c:\\apps\\new.exe"},
      {"No", "permonitorv2", "x64", "", "c:\\apps\\modern.exe"},
      {"Yes", "unaware", "x64", "", "c:\\apps\\aware.exe"},
  };
  EXPECT_EQ(Rendered(RecommendedLayersValues(list, found)),
            "C:\\Apps\\Old.exe=~ RUNASADMIN HIGHDPIAWARE\n"
            "C:\\APPS\\SET.EXE=DPIUNAWARE  GDIDPISCALING\n"
            "C:\\APPS\\NEW.EXE=HIGHDPIAWARE\n");
  std::FILE* sink = std::tmpfile();
  EXPECT_EQ(RunScan({"--xml"}, sink, sink), 2);
  std::fclose(sink);
}
