// What only the native build's process table scripts: access refused by the process,
// names cut as the fixed field cuts them, handles that outlive their process; and its
// scripted icons.
#include <gtest/gtest.h>

#include "platform/IconApi.h"
#include "platform/ProcessApi.h"
#include "platform/standin/IconTable.h"
#include "platform/standin/ProcessTable.h"

using platform::standin::OpenableWith;
namespace win = platform::win;

TEST(ProcessTableTest, ScriptedAccessNamesAndHandles) {
  platform::standin::SetProcesses({
      {4, "System", "", OpenableWith::Nothing},
      {100, std::string("ab\0cd.exe", 9), "C:\\Apps\\Tool.exe", OpenableWith::Both},
      {200, std::string(300, 'x'), "C:\\svc.exe", OpenableWith::LimitedOnly},
  });
  EXPECT_FALSE(platform::OpenProcess(win::kQueryInformation, false, 200));
  EXPECT_TRUE(platform::OpenProcess(win::kQueryLimitedInformation, false, 200));
  EXPECT_FALSE(platform::OpenProcess(win::kQueryLimitedInformation, false, 4));
  platform::Snapshot snapshot = platform::CreateToolhelp32Snapshot(win::kSnapProcess, 0);
  platform::ProcessEntry entry;
  ASSERT_TRUE(platform::Process32First(snapshot, &entry) && platform::Process32Next(snapshot, &entry));
  EXPECT_EQ(entry.szExeFile, "ab");
  ASSERT_TRUE(platform::Process32Next(snapshot, &entry));
  EXPECT_EQ(entry.szExeFile, std::string(259, 'x'));
  platform::ProcessHandle tool = platform::OpenProcess(win::kQueryInformation, false, 100);
  platform::standin::SetProcesses({});
  EXPECT_EQ(platform::QueryFullProcessImageNameA(tool), "C:\\Apps\\Tool.exe");
}

TEST(IconTableTest, ScriptedIconsAreFoundByPathWithoutRegardToCaseAndIndex) {
  platform::standin::SetIcon("C:\\Windows\\system32\\shell32.dll", 2, 0xFF112233u);
  {
    platform::Icon two = platform::ExtractSmallIcon("c:\\WINDOWS\\System32\\SHELL32.dll", 2);
    EXPECT_EQ(platform::RenderIcon(two, 1, 3).pixels, std::vector<std::uint32_t>(3, 0xFF112233u));
    EXPECT_FALSE(platform::ExtractSmallIcon("C:\\Windows\\system32\\shell32.dll", 1));
    // Sizes out of range give an empty picture.
    EXPECT_FALSE(platform::RenderIcon(two, 0, 16).IsWellFormed());
    EXPECT_FALSE(platform::RenderIcon(two, 16, platform::kMaxIconSide + 1).IsWellFormed());
    EXPECT_TRUE(platform::RenderIcon(two, 16, platform::kMaxIconSide).IsWellFormed());
  }
  EXPECT_EQ(platform::standin::OpenIconCount(), 0u);
  platform::standin::ResetIconTable();
}
