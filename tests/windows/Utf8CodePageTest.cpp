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

namespace {
// "Prüfung ÄÖÜ – 試験": Latin letters with umlauts, a dash and CJK, as UTF-8.
const std::string kName = "Pr\xC3\xBC" "fung \xC3\x84\xC3\x96\xC3\x9C \xE2\x80\x93 \xE8\xA9\xA6\xE9\xA8\x93";

}  // namespace

TEST(Utf8CodePageTest, NonAsciiPathIsCreatedOpenedInspectedAndStored) {
  ASSERT_EQ(GetACP(), 65001u);  // the program's manifest selects UTF-8
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = temp + kName;
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string path = folder + "\\" + kName + ".exe";

  // Created and written through the program's own file class...
  clsFile file;
  CurrentError::Clear();
  file.NewFile(path);
  ASSERT_EQ(CurrentError::Number(), 0) << CurrentError::Description();
  file.WriteValue(std::string("MZ"));
  file.CloseFile();
  // ...found by the system under its Unicode name...
  std::wstring wide(MAX_PATH, L'\0');
  wide.resize(MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), MAX_PATH) - 1);
  EXPECT_NE(GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES);
  // ...opened again and judged by the reader (a file that is no executable: N/A).
  clsExeReader reader;
  ExeInspection result = InspectExecutable(reader, path);
  EXPECT_TRUE(result.loaded) << result.errorDescription;
  EXPECT_EQ(result.dpiAware, DpiVerdict::NotApplicable);

  // Stored in the registry as a value name and read back whole.
  const std::string key = "HKCU\\Software\\SharpwellTest\\Utf8";
  SetRegValue(key, path, "HIGHDPIAWARE");
  EXPECT_EQ(GetRegValue(key, path).ToText(), "HIGHDPIAWARE");
  std::vector<std::string> names = EnumRegValues(key);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0], path);
  DeleteRegValue(key, "");

  DeleteFileA(path.c_str());
  RemoveDirectoryA(folder.c_str());
}
