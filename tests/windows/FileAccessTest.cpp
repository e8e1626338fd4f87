// clsFile over the real kernel32 only: share modes against other handles, the handle
// released on the next open, and the WOW64 redirection switch.
#include <gtest/gtest.h>

#include <string>

#include "common/TempFolder.h"
#include "inspect/clsFile.h"
#include "platform/CurrentError.h"

#include <windows.h>

namespace {

// Whether another program could open `path` for writing alone right now.
bool OthersCanWrite(const std::string& path) {
  HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  return handle != INVALID_HANDLE_VALUE && ::CloseHandle(handle);
}

TEST(FileAccessTest, ShareModesReleasedHandlesAndTheRedirectionSwitch) {
  ::SetLastError(ERROR_INVALID_DATA);
  CurrentError::Clear();
  clsFile file;
  EXPECT_EQ(::GetLastError(), 0u) << "the redirection probe leaves no error behind";
  BOOL underWow64 = FALSE;
  ASSERT_TRUE(::IsWow64Process(::GetCurrentProcess(), &underWow64));
  EXPECT_EQ(file.Wow64Present(), underWow64 != FALSE);
  file.Wow64Bypass = true;  // opens work whether or not the switch exists

  TempFolder folder;
  const std::string first = folder.Write("first.bin", "MZ");
  file.OpenFile(first);
  EXPECT_FALSE(OthersCanWrite(first));
  file.OpenFile(folder.Write("second.bin", "B"));  // releases the first
  EXPECT_TRUE(OthersCanWrite(first));

  HANDLE other = CreateFileA(first.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  file.OpenFile(first);  // read and write, while the other handle refuses writers
  EXPECT_EQ(CurrentError::Number(), ERROR_SHARING_VIOLATION);
  CurrentError::Clear();
  file.OpenFile(first, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                FILE_FLAG_RANDOM_ACCESS);  // how executables are opened for reading
  EXPECT_EQ(file.Length(), 2) << CurrentError::Description();
  ::CloseHandle(other);
}

}  // namespace
