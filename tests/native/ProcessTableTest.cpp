// The native build's scripted processes and icons keep the contract of the real calls:
// snapshots are copies, opening depends on the access asked for, long image paths fail
// as with the program's 256-character buffer, and every owner closes what it holds.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/FileApi.h"
#include "platform/IconApi.h"
#include "platform/ProcessApi.h"
#include "platform/standin/IconTable.h"
#include "platform/standin/ProcessTable.h"

using platform::standin::OpenableWith;
namespace win = platform::win;
namespace err = platform::err;

namespace {
std::vector<platform::ProcessEntry> Walk(const platform::Snapshot& snapshot) {
  std::vector<platform::ProcessEntry> entries;
  platform::ProcessEntry entry;
  for (bool ok = platform::Process32First(snapshot, &entry); ok;
       ok = platform::Process32Next(snapshot, &entry)) {
    entries.push_back(entry);
  }
  return entries;
}
}  // namespace

class ProcessTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::standin::SetProcesses({
        {4, "System", "", OpenableWith::Nothing},
        {100, "Tool.exe", "C:\\Apps\\Tool.exe", OpenableWith::Both},
        {200, "svc.exe", "C:\\Windows\\system32\\svc.exe", OpenableWith::LimitedOnly},
    });
  }
  void TearDown() override {
    platform::standin::ResetProcessTable();
    EXPECT_EQ(platform::standin::OpenSnapshotCount(), 0u);
    EXPECT_EQ(platform::standin::OpenProcessCount(), 0u);
  }
};

TEST_F(ProcessTableTest, SnapshotListsTheProcessesAsTheyWereWhenTaken) {
  platform::Snapshot snapshot = platform::CreateToolhelp32Snapshot(win::kSnapProcess, 0);
  ASSERT_TRUE(snapshot);
  platform::standin::SetProcesses({{7, "later.exe", "C:\\later.exe", OpenableWith::Both}});

  std::vector<platform::ProcessEntry> entries = Walk(snapshot);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[1].th32ProcessID, 100u);
  EXPECT_EQ(entries[1].szExeFile, "Tool.exe");
  EXPECT_EQ(platform::GetLastError(), err::kNoMoreFiles);

  // First starts again from the beginning; a new snapshot sees the new table.
  platform::ProcessEntry entry;
  ASSERT_TRUE(platform::Process32First(snapshot, &entry));
  EXPECT_EQ(entry.th32ProcessID, 4u);
  std::vector<platform::ProcessEntry> fresh =
      Walk(platform::CreateToolhelp32Snapshot(win::kSnapProcess, 0));
  ASSERT_EQ(fresh.size(), 1u);
  EXPECT_EQ(fresh[0].szExeFile, "later.exe");
}

TEST_F(ProcessTableTest, ExeNamesAreCutAsTheFixedFieldCutsThem) {
  platform::standin::SetProcesses({
      {1, std::string("ab\0cd.exe", 9), "", OpenableWith::Both},
      {2, std::string(300, 'x'), "", OpenableWith::Both},
      {3, "", "", OpenableWith::Both},
  });
  std::vector<platform::ProcessEntry> entries =
      Walk(platform::CreateToolhelp32Snapshot(win::kSnapProcess, 0));
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].szExeFile, "ab");
  EXPECT_EQ(entries[1].szExeFile, std::string(259, 'x'));
  EXPECT_EQ(entries[2].szExeFile, "");
}

TEST_F(ProcessTableTest, FailingSnapshotGivesAnEmptyOwnerThatDeliversNothing) {
  platform::standin::SetSnapshotFails(true);
  platform::Snapshot snapshot = platform::CreateToolhelp32Snapshot(win::kSnapProcess, 0);
  EXPECT_FALSE(snapshot);
  platform::ProcessEntry entry{99, "untouched"};
  EXPECT_FALSE(platform::Process32First(snapshot, &entry));
  EXPECT_FALSE(platform::Process32Next(snapshot, &entry));
  EXPECT_EQ(entry.th32ProcessID, 99u);
  EXPECT_EQ(entry.szExeFile, "untouched");
}

TEST_F(ProcessTableTest, OpeningDependsOnTheAccessAskedFor) {
  struct Case {
    std::uint32_t id;
    std::uint32_t access;
    bool opens;
    std::uint32_t error;
  };
  const Case cases[] = {
      {100, win::kQueryInformation, true, 0},
      {100, win::kQueryLimitedInformation, true, 0},
      {200, win::kQueryInformation, false, err::kAccessDenied},
      {200, win::kQueryLimitedInformation, true, 0},
      {4, win::kQueryLimitedInformation, false, err::kAccessDenied},
      {0, win::kQueryLimitedInformation, false, err::kInvalidParameter},
      {12345, win::kQueryInformation, false, err::kInvalidParameter},
  };
  for (const Case& c : cases) {
    platform::SetLastError(0);
    platform::ProcessHandle process = platform::OpenProcess(c.access, false, c.id);
    EXPECT_EQ(static_cast<bool>(process), c.opens) << c.id << " / " << c.access;
    if (!c.opens) {
      EXPECT_EQ(platform::GetLastError(), c.error) << c.id << " / " << c.access;
    }
  }
}

TEST_F(ProcessTableTest, ImagePathsOf256CharactersOrMoreCannotBeRead) {
  const std::string folder = "C:\\" + std::string(240, 'd') + "\\";
  const std::string fits = folder + std::string(255 - folder.size(), 'f');
  const std::string tooLong = fits + "g";
  platform::standin::SetProcesses({
      {1, "f", fits, OpenableWith::Both},
      {2, "g", tooLong, OpenableWith::Both},
  });
  platform::ProcessHandle first = platform::OpenProcess(win::kQueryInformation, false, 1);
  platform::ProcessHandle second = platform::OpenProcess(win::kQueryInformation, false, 2);
  EXPECT_EQ(platform::QueryFullProcessImageNameA(first), fits);
  EXPECT_EQ(platform::QueryFullProcessImageNameA(second), std::nullopt);
  EXPECT_EQ(platform::GetLastError(), err::kInsufficientBuffer);
  EXPECT_EQ(platform::QueryFullProcessImageNameA(platform::ProcessHandle()), std::nullopt);
}

TEST_F(ProcessTableTest, AnOpenHandleOutlivesItsProcess) {
  platform::ProcessHandle process = platform::OpenProcess(win::kQueryInformation, false, 100);
  platform::standin::SetProcesses({});
  EXPECT_EQ(platform::QueryFullProcessImageNameA(process), "C:\\Apps\\Tool.exe");
  EXPECT_FALSE(platform::OpenProcess(win::kQueryInformation, false, 100));
}

TEST_F(ProcessTableTest, OwnersCloseOnceAndHandOverOnMove) {
  {
    platform::ProcessHandle a = platform::OpenProcess(win::kQueryInformation, false, 100);
    platform::Snapshot s = platform::CreateToolhelp32Snapshot(win::kSnapProcess, 0);
    EXPECT_EQ(platform::standin::OpenProcessCount(), 1u);
    EXPECT_EQ(platform::standin::OpenSnapshotCount(), 1u);

    platform::ProcessHandle b = std::move(a);
    EXPECT_FALSE(a);
    EXPECT_EQ(platform::QueryFullProcessImageNameA(b), "C:\\Apps\\Tool.exe");
    b = platform::OpenProcess(win::kQueryLimitedInformation, false, 200);  // closes the first
    EXPECT_EQ(platform::standin::OpenProcessCount(), 1u);
    EXPECT_EQ(platform::QueryFullProcessImageNameA(b), "C:\\Windows\\system32\\svc.exe");

    platform::Snapshot t = std::move(s);
    EXPECT_FALSE(s);
    EXPECT_EQ(Walk(t).size(), 3u);
  }
  EXPECT_EQ(platform::standin::OpenProcessCount(), 0u);
  EXPECT_EQ(platform::standin::OpenSnapshotCount(), 0u);
}

TEST(IconTableTest, ScriptedIconsAreFoundByPathWithoutRegardToCaseAndIndex) {
  platform::standin::SetIcon("C:\\Windows\\system32\\shell32.dll", 2, 0xFF112233u);
  platform::standin::SetIcon("C:\\Windows\\system32\\shell32.dll", 0, 0xFF445566u);
  {
    platform::Icon two = platform::ExtractSmallIcon("c:\\WINDOWS\\System32\\SHELL32.dll", 2);
    ASSERT_TRUE(two);
    Picture picture = platform::RenderIcon(two, 16, 16);
    ASSERT_TRUE(picture.IsWellFormed());
    EXPECT_EQ(picture.pixels.front(), 0xFF112233u);
    EXPECT_EQ(picture.pixels.back(), 0xFF112233u);
    EXPECT_EQ(platform::RenderIcon(platform::ExtractSmallIcon("C:\\Windows\\system32\\shell32.dll", 0), 2, 3)
                  .pixels,
              std::vector<std::uint32_t>(6, 0xFF445566u));

    EXPECT_FALSE(platform::ExtractSmallIcon("C:\\Windows\\system32\\shell32.dll", 1));
    EXPECT_FALSE(platform::ExtractSmallIcon("C:\\noicons.exe", 0));
    EXPECT_EQ(platform::standin::OpenIconCount(), 1u);

    // Sizes out of range, and no icon at all, give an empty picture.
    EXPECT_FALSE(platform::RenderIcon(two, 0, 16).IsWellFormed());
    EXPECT_FALSE(platform::RenderIcon(two, 16, platform::kMaxIconSide + 1).IsWellFormed());
    EXPECT_FALSE(platform::RenderIcon(platform::Icon(), 16, 16).IsWellFormed());
  }
  EXPECT_EQ(platform::standin::OpenIconCount(), 0u);
  platform::standin::ResetIconTable();
  EXPECT_FALSE(platform::ExtractSmallIcon("C:\\Windows\\system32\\shell32.dll", 2));
}
