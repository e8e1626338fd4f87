// Under the program's manifest the 8-bit ("A") calls use UTF-8, so a file with any
// characters in its name can be created and found. (Storing and inspecting such paths is
// run end to end by the command-line program.)
#include "inspect/clsFile.h"
#include "platform/CurrentError.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

TEST(Utf8CodePageTest, NonAsciiPathIsCreatedAndFoundUnderItsUnicodeName) {
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
  file.CloseFile();
  std::wstring wide(MAX_PATH, L'\0');
  wide.resize(MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), MAX_PATH) - 1);
  EXPECT_NE(GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileA(path.c_str());
}
