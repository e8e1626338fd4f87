// What scan prints as JSON, and which programs the recommended list gives HIGHDPIAWARE.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScanCommand.h"
#include "platform/standin/CodePage.h"

TEST(ScanOutputTest, JsonEscapesTheFieldsAndIsUtf8WhateverTheCodePage) {
  platform::standin::SetActiveCodePage(1252);
  EXPECT_EQ(ScanJson({{"N/A", "unaware", "", "", "c:\\caf\xE9 \x80\x84\x88"},
                      {"No", "system", "x86", "~ \"A\"\tB\r\n\x01\x1F\x7F", "c:\\x.exe"}}),
            "[\n"
            "  {\"verdict\": \"N/A\", \"awareness\": \"unaware\", \"bits\": \"\", \"flags\": \"\", "
            "\"path\": \"c:\\\\caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x9E\xCB\x86\"},\n"
            "  {\"verdict\": \"No\", \"awareness\": \"system\", \"bits\": \"x86\", "
            "\"flags\": \"~ \\\"A\\\"\\tB\\r\\n\\u0001\\u001f\x7F\", \"path\": \"c:\\\\x.exe\"}\n"
            "]");
  platform::standin::SetActiveCodePage(65001);
  // Each byte that is no UTF-8 (a cut sequence, an overlong form) becomes U+FFFD.
  const std::string json = ScanJson({{"", "", "", "", "\xE8\xA9\xA6\xC3(\xC0\xAF"}});
  EXPECT_NE(json.find("\"\xE8\xA9\xA6\xEF\xBF\xBD(\xEF\xBF\xBD\xEF\xBF\xBD\"}"), std::string::npos);
  EXPECT_EQ(ScanJson({}), "[]");
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
  std::string text;
  for (const RegFileValue& value : RecommendedLayersValues(list, found))
    text += value.name + "=" + value.data.ToText() + "\n";
  EXPECT_EQ(text,
            "C:\\Apps\\Old.exe=~ RUNASADMIN HIGHDPIAWARE\n"
            "C:\\APPS\\SET.EXE=DPIUNAWARE  GDIDPISCALING\n"
            "C:\\APPS\\NEW.EXE=HIGHDPIAWARE\n");
  std::FILE* sink = std::tmpfile();
  EXPECT_EQ(RunScan({"--xml"}, sink, sink), 2);
  std::fclose(sink);
}
