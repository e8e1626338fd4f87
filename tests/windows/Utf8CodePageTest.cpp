// Under the program's manifest the 8-bit ("A") calls use UTF-8, so a path with any
// characters can be created, opened, inspected and stored in the registry.
#include "compat/modRegistry.h"
#include "inspect/InspectExecutable.h"
#include "inspect/clsExeReader.h"
#include "inspect/clsFile.h"
#include "platform/CurrentError.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Utf8CodePageTest, NonAsciiPathIsCreatedOpenedInspectedAndStored) {
  ASSERT_EQ(GetACP(), 65001u);
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  // "Prüfung ÄÖÜ – 試験.exe": Latin letters with umlauts, a dash and CJK.
  const std::string path = temp + std::string("Pr\xC3\xBC" "fung \xC3\x84\xC3\x96\xC3\x9C \xE2\x80\x93 "
                                              "\xE8\xA9\xA6\xE9\xA8\x93.exe");
  clsFile file;
  CurrentError::Clear();
  file.NewFile(path);
  ASSERT_EQ(CurrentError::Number(), 0) << CurrentError::Description();
  file.WriteValue(std::string("MZ"));
  file.CloseFile();
  // Found by the system under its Unicode name, then judged by the reader: no executable.
  std::wstring wide(MAX_PATH, L'\0');
  wide.resize(MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), MAX_PATH) - 1);
  EXPECT_NE(GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES);
  clsExeReader reader;
  ExeInspection result = InspectExecutable(reader, path);
  EXPECT_TRUE(result.loaded) << result.errorDescription;
  EXPECT_EQ(result.dpiAware, DpiVerdict::NotApplicable);

  const std::string key = "HKCU\\Software\\SharpwellTest\\Utf8";
  SetRegValue(key, path, "HIGHDPIAWARE");
  EXPECT_EQ(EnumRegValues(key), std::vector<std::string>{path});
  EXPECT_EQ(GetRegValue(key, path).ToText(), "HIGHDPIAWARE");
  DeleteRegValue(key, "");
  DeleteFileA(path.c_str());
}
