// clsFile over the real kernel32 (under Wine): the system's own error numbers and
// texts, share modes, folders, and the WOW64 redirection probe.
#include <gtest/gtest.h>

#include <string>

#include "common/TempFolder.h"
#include "inspect/clsFile.h"
#include "platform/CurrentError.h"

#include <windows.h>

namespace {

// The system's message for `code`, asked of FormatMessageA directly, without the
// line breaks that end it.
std::string SystemMessage(DWORD code) {
  char buffer[512] = {};
  DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, buffer, sizeof buffer, nullptr);
  std::string text(buffer, length);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

// A raw handle held open by "another program" for the length of a test.
class RawHandle {
 public:
  explicit RawHandle(HANDLE handle) : handle_(handle) {}
  ~RawHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  }
  RawHandle(const RawHandle&) = delete;
  RawHandle& operator=(const RawHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

RawHandle OpenRaw(const std::string& path, DWORD access, DWORD share) {
  return RawHandle(::CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
}

class FileAccessTest : public ::testing::Test {
 protected:
  void SetUp() override { CurrentError::Clear(); }
  TempFolder folder_;
};

TEST_F(FileAccessTest, MissingFileAndMissingFolderCarryTheSystemsNumberAndText) {
  clsFile file;
  file.OpenFile(folder_.Path("absent.exe"));
  EXPECT_EQ(CurrentError::Number(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(CurrentError::Description(), SystemMessage(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(CurrentError::Description().empty());
  EXPECT_EQ(file.hFile(), platform::kInvalidFileHandle);

  CurrentError::Clear();
  file.OpenFile(folder_.Path("nowhere\\absent.exe"));
  EXPECT_EQ(CurrentError::Number(), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(CurrentError::Description(), SystemMessage(ERROR_PATH_NOT_FOUND));

  CurrentError::Clear();
  file.NewFileNoOverwrite(folder_.Write("present.bin", "x"));
  EXPECT_EQ(CurrentError::Number(), ERROR_FILE_EXISTS);
  EXPECT_EQ(CurrentError::Description(), SystemMessage(ERROR_FILE_EXISTS));
}

TEST_F(FileAccessTest, AFolderIsNotOpenedAsAFile) {
  clsFile file;
  file.OpenFile(folder_.Path(), GENERIC_READ, 7, FILE_FLAG_RANDOM_ACCESS);
  EXPECT_EQ(CurrentError::Number(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(file.hFile(), platform::kInvalidFileHandle);
  EXPECT_EQ(file.GetFilename(), "");
}

TEST_F(FileAccessTest, ShareModesOfOtherHandlesAreHonoured) {
  const std::string path = folder_.Write("held.bin", "MZ");
  RawHandle other = OpenRaw(path, GENERIC_READ, FILE_SHARE_READ);
  ASSERT_TRUE(other.valid());

  clsFile file;
  file.OpenFile(path);  // read and write, while the other handle refuses writers
  EXPECT_EQ(CurrentError::Number(), ERROR_SHARING_VIOLATION);
  EXPECT_EQ(CurrentError::Description(), SystemMessage(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(file.hFile(), platform::kInvalidFileHandle);

  CurrentError::Clear();
  file.OpenFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                FILE_FLAG_RANDOM_ACCESS);  // how executables are opened for reading
  EXPECT_EQ(CurrentError::Number(), 0) << CurrentError::Description();
  EXPECT_EQ(file.Length(), 2);
}

TEST_F(FileAccessTest, OpeningAnotherFileReleasesTheFirst) {
  const std::string first = folder_.Write("first.bin", "A");
  const std::string second = folder_.Write("second.bin", "B");
  clsFile file;
  file.OpenFile(first);
  EXPECT_FALSE(OpenRaw(first, GENERIC_WRITE, 0).valid());
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));

  file.OpenFile(second);
  EXPECT_TRUE(OpenRaw(first, GENERIC_WRITE, 0).valid());
  EXPECT_FALSE(OpenRaw(second, GENERIC_WRITE, 0).valid());
  file.CloseFile();
  EXPECT_TRUE(OpenRaw(second, GENERIC_WRITE, 0).valid());
  EXPECT_EQ(CurrentError::Number(), 0);
}

TEST_F(FileAccessTest, TheRedirectionProbeLeavesNoErrorBehind) {
  ::SetLastError(ERROR_INVALID_DATA);
  clsFile file;
  EXPECT_EQ(::GetLastError(), 0u);
  EXPECT_EQ(CurrentError::Number(), 0);

  BOOL underWow64 = FALSE;
  ASSERT_TRUE(::IsWow64Process(::GetCurrentProcess(), &underWow64));
#ifdef _WIN64
  EXPECT_FALSE(underWow64);
#endif
  EXPECT_EQ(file.Wow64Present(), underWow64 != FALSE);

  // Opening with the bypass works whether or not the switch exists.
  file.Wow64Bypass = true;
  file.OpenFile(folder_.Write("bypass.bin", "MZ"));
  EXPECT_EQ(CurrentError::Number(), 0) << CurrentError::Description();
  EXPECT_EQ(file.Length(), 2);
  file.Wow64DisableRedirect();
  file.Wow64EnableRedirect();
  file.Wow64EnableRedirect();  // a second restore without a switch-off does nothing
  EXPECT_EQ(CurrentError::Number(), 0);
}

}  // namespace
