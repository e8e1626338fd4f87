// The stand-in's view of Windows paths: drive letters map to host folders and letter
// case is ignored, as on Windows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/TempFolder.h"
#include "platform/FileApi.h"
#include "platform/standin/HostPath.h"

TEST(HostPathTest, DrivePathsResolveWithoutRegardToCase) {
  TempFolder root;
  std::filesystem::create_directories(root.Path("Apps"));
  std::ofstream(root.Path("Apps/Tool.EXE")) << "MZ";
  platform::standin::SetDriveRoot('C', root.Path());
  using platform::standin::ToHostPath;
  EXPECT_EQ(ToHostPath("c:\\apps\\tool.exe"), root.Path("Apps/Tool.EXE"));
  EXPECT_EQ(ToHostPath("C:\\APPS\\new.txt"), root.Path("Apps/new.txt"));
  EXPECT_FALSE(ToHostPath("C:\\missing\\tool.exe").has_value());
  EXPECT_FALSE(ToHostPath("D:\\anything").has_value());
  EXPECT_EQ(ToHostPath("/plain/host/path"), "/plain/host/path");
  EXPECT_EQ(platform::GetFileAttributesA("c:\\APPS"), platform::win::kDirectoryAttribute);
  EXPECT_EQ(platform::GetFileAttributesA("c:\\apps\\gone"), platform::win::kInvalidFileAttributes);
  platform::standin::SetDriveRoot('C', "");
}
