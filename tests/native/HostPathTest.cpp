// The stand-in's view of Windows paths: drive letters map to host folders, letter
// case is ignored as on Windows, and the error numbers match the system's.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "inspect/clsFile.h"
#include "platform/CurrentError.h"
#include "platform/FileApi.h"
#include "platform/standin/HostPath.h"

namespace fs = std::filesystem;

class HostPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("sharpwell-hostpath-" + std::to_string(::getpid()));
    fs::create_directories(root_ / "Apps");
    std::ofstream(root_ / "Apps" / "Tool.EXE") << "MZ";
    platform::standin::SetDriveRoot('C', root_.string());
  }
  void TearDown() override {
    platform::standin::SetDriveRoot('C', "");
    fs::remove_all(root_);
  }
  fs::path root_;
};

TEST_F(HostPathTest, DrivePathsResolveWithoutRegardToCase) {
  EXPECT_EQ(platform::standin::ToHostPath("c:\\apps\\tool.exe"),
            (root_ / "Apps" / "Tool.EXE").string());
  EXPECT_EQ(platform::standin::ToHostPath("C:\\APPS\\new.txt"), (root_ / "Apps" / "new.txt").string());
  EXPECT_FALSE(platform::standin::ToHostPath("C:\\missing\\tool.exe").has_value());
  EXPECT_FALSE(platform::standin::ToHostPath("D:\\anything").has_value());
  EXPECT_EQ(platform::standin::ToHostPath("/plain/host/path"), "/plain/host/path");
}

TEST_F(HostPathTest, MissingFileAndMissingFolderGiveTheSystemsNumbers) {
  clsFile file;
  CurrentError::Clear();
  file.OpenFile("c:\\apps\\absent.exe");
  EXPECT_EQ(CurrentError::Number(), 2);
  EXPECT_EQ(CurrentError::Description(), "The system cannot find the file specified.");
  CurrentError::Clear();
  file.OpenFile("c:\\nowhere\\absent.exe");
  EXPECT_EQ(CurrentError::Number(), 3);
  CurrentError::Clear();
  file.OpenFile("c:\\apps");
  EXPECT_EQ(CurrentError::Number(), 5);  // a folder is not opened as a file
  EXPECT_EQ(file.hFile(), platform::kInvalidFileHandle);
  CurrentError::Clear();
  file.OpenFile("C:\\APPS\\TOOL.exe", platform::win::kGenericRead);
  EXPECT_EQ(CurrentError::Number(), 0);
  EXPECT_EQ(file.Length(), 2);
  EXPECT_EQ(platform::GetFileAttributesA("c:\\apps"), platform::win::kDirectoryAttribute);
  EXPECT_EQ(platform::GetFileAttributesA("c:\\apps\\gone"), platform::win::kInvalidFileAttributes);
}
