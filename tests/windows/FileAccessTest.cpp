// clsFile over the real kernel32 (under Wine), beyond the shared contract: share modes
// of other handles, the handle released on the next open, and the WOW64 redirection probe.
#include <gtest/gtest.h>

#include <string>

#include "common/TempFolder.h"
#include "inspect/clsFile.h"
#include "platform/CurrentError.h"

#include <windows.h>

namespace {

// Whether another program could open `path` for writing alone right now.
bool OthersCanWrite(const std::string& path) {
  HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(handle);
  return true;
}

TEST(FileAccessTest, ShareModesAndReleasedHandles) {
  CurrentError::Clear();
  TempFolder folder;
  const std::string first = folder.Write("first.bin", "MZ");
  const std::string second = folder.Write("second.bin", "B");
  clsFile file;
  file.OpenFile(first);
  EXPECT_FALSE(OthersCanWrite(first));
  file.OpenFile(second);  // releases the first
  EXPECT_TRUE(OthersCanWrite(first));
  file.CloseFile();
  EXPECT_TRUE(OthersCanWrite(second));

  HANDLE other = ::CreateFileA(first.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  file.OpenFile(first);  // read and write, while the other handle refuses writers
  EXPECT_EQ(CurrentError::Number(), ERROR_SHARING_VIOLATION);
  CurrentError::Clear();
  file.OpenFile(first, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                FILE_FLAG_RANDOM_ACCESS);  // how executables are opened for reading
  EXPECT_EQ(CurrentError::Number(), 0) << CurrentError::Description();
  EXPECT_EQ(file.Length(), 2);
  ::CloseHandle(other);
}

TEST(FileAccessTest, TheRedirectionProbeLeavesNoErrorBehind) {
  ::SetLastError(ERROR_INVALID_DATA);
  CurrentError::Clear();
  clsFile file;
  EXPECT_EQ(::GetLastError(), 0u);
  BOOL underWow64 = FALSE;
  ASSERT_TRUE(::IsWow64Process(::GetCurrentProcess(), &underWow64));
  EXPECT_EQ(file.Wow64Present(), underWow64 != FALSE);

  // Opening with the bypass works whether or not the switch exists.
  TempFolder folder;
  file.Wow64Bypass = true;
  file.OpenFile(folder.Write("bypass.bin", "MZ"));
  EXPECT_EQ(CurrentError::Number(), 0) << CurrentError::Description();
  EXPECT_EQ(file.Length(), 2);
  file.Wow64DisableRedirect();
  file.Wow64EnableRedirect();
  file.Wow64EnableRedirect();  // a second restore without a switch-off does nothing
  EXPECT_EQ(CurrentError::Number(), 0);
}

}  // namespace
