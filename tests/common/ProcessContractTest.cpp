// The process calls over the stand-in's table (natively) and the real system (under Wine).
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "common/RunningProgram.h"
#include "platform/AsciiCase.h"
#include "platform/FileApi.h"
#include "platform/ProcessApi.h"

// Inside the namespace, its calls win over the system's of the same names.
namespace platform {
namespace {
Snapshot TakeSnapshot() { return CreateToolhelp32Snapshot(win::kSnapProcess, 0); }

std::optional<ProcessEntry> Find(const Snapshot& snapshot, std::uint32_t id) {
  ProcessEntry entry;
  for (bool ok = Process32First(snapshot, &entry); ok; ok = Process32Next(snapshot, &entry))
    if (entry.th32ProcessID == id) return entry;
  return std::nullopt;
}

std::optional<std::string> ImagePathOf(std::uint32_t id, std::uint32_t access) {
  ProcessHandle process = OpenProcess(access, false, id);
  if (!process) return std::nullopt;
  return QueryFullProcessImageNameA(process);
}

}  // namespace

TEST(ProcessContract, ASnapshotListsTheProcessesAsTheyWereWhenTakenOpenedAndNamed) {
  auto earlier = StartProgram();
  Snapshot before = TakeSnapshot();
  auto later = StartProgram();
  ASSERT_TRUE(earlier && before && later) << GetLastError();
  EXPECT_FALSE(Find(before, later->id).has_value());
  EXPECT_EQ(GetLastError(), err::kNoMoreFiles);
  std::optional<ProcessEntry> entry = Find(before, earlier->id);  // First starts again
  ASSERT_TRUE(entry.has_value());
  EXPECT_TRUE(Find(TakeSnapshot(), later->id).has_value());
  const std::string path = earlier->imagePath;
  EXPECT_TRUE(EqualsIgnoringCase(entry->szExeFile, path.substr(path.rfind('\\') + 1)));
  for (std::uint32_t access : {win::kQueryInformation, win::kQueryLimitedInformation}) {
    EXPECT_TRUE(EqualsIgnoringCase(ImagePathOf(earlier->id, access).value_or("-"), path));
    SetLastError(0);
    EXPECT_FALSE(OpenProcess(access, false, 0)) << "id 0";
    EXPECT_EQ(GetLastError(), err::kInvalidParameter);
  }
}

TEST(ProcessContract, ImagePathsOf256CharactersOrMoreCannotBeRead) {
  auto fits = StartProgram(255);
  auto tooLong = StartProgram(256);
  ASSERT_TRUE(fits && tooLong) << GetLastError();
  EXPECT_EQ(ImagePathOf(fits->id, win::kQueryInformation).value_or("").size(), 255u);
  EXPECT_EQ(ImagePathOf(tooLong->id, win::kQueryInformation), std::nullopt);
  EXPECT_EQ(GetLastError(), err::kInsufficientBuffer);
  EXPECT_EQ(QueryFullProcessImageNameA(ProcessHandle()), std::nullopt);
}

}  // namespace platform
