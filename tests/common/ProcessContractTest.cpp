// The process calls keep one contract over the stand-in's table (natively) and over the
// real system (under Wine): a snapshot is a copy taken when asked, processes open and
// name their image, paths of 256 characters or more cannot be read, and every owner
// closes what it holds.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "common/RunningProgram.h"
#include "platform/AsciiCase.h"
#include "platform/FileApi.h"
#include "platform/ProcessApi.h"

namespace win = platform::win;
namespace err = platform::err;

namespace {
platform::Snapshot TakeSnapshot() {
  return platform::CreateToolhelp32Snapshot(win::kSnapProcess, 0);
}

std::optional<platform::ProcessEntry> Find(const platform::Snapshot& snapshot, std::uint32_t id) {
  platform::ProcessEntry entry;
  for (bool ok = platform::Process32First(snapshot, &entry); ok;
       ok = platform::Process32Next(snapshot, &entry)) {
    if (entry.th32ProcessID == id) return entry;
  }
  return std::nullopt;
}

std::optional<std::string> ImagePathOf(std::uint32_t id, std::uint32_t access) {
  platform::ProcessHandle process = platform::OpenProcess(access, false, id);
  if (!process) return std::nullopt;
  return platform::QueryFullProcessImageNameA(process);
}

std::string FileName(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

// Whether raw handles are still open, asked without taking them over.
bool ProcessIsOpen(platform::ProcessValue raw) {
  platform::ProcessHandle borrowed(raw);
  const bool open = platform::QueryFullProcessImageNameA(borrowed).has_value();
  borrowed.Release();
  return open;
}
bool SnapshotIsOpen(platform::SnapshotValue raw) {
  platform::Snapshot borrowed(raw);
  platform::ProcessEntry entry;
  const bool open = platform::Process32First(borrowed, &entry);
  borrowed.Release();
  return open;
}

std::unique_ptr<RunningProgram> MustStart(std::size_t pathLength = 0) {
  std::unique_ptr<RunningProgram> program = StartProgram(pathLength);
  EXPECT_NE(program, nullptr) << platform::GetLastError();
  return program;
}
}  // namespace

TEST(ProcessContract, AProgramIsListedOpenedAndNamed) {
  auto program = MustStart();
  ASSERT_TRUE(program);
  std::optional<platform::ProcessEntry> entry = Find(TakeSnapshot(), program->Id());
  ASSERT_TRUE(entry.has_value());
  EXPECT_TRUE(EqualsIgnoringCase(entry->szExeFile, FileName(program->ImagePath())));
  for (std::uint32_t access : {win::kQueryInformation, win::kQueryLimitedInformation}) {
    std::optional<std::string> path = ImagePathOf(program->Id(), access);
    ASSERT_TRUE(path.has_value()) << access;
    EXPECT_TRUE(EqualsIgnoringCase(*path, program->ImagePath())) << *path;
  }
}

TEST(ProcessContract, ASnapshotListsTheProcessesAsTheyWereWhenTaken) {
  auto earlier = MustStart();
  ASSERT_TRUE(earlier);
  platform::Snapshot before = TakeSnapshot();
  ASSERT_TRUE(before);
  auto later = MustStart();
  ASSERT_TRUE(later);
  EXPECT_FALSE(Find(before, later->Id()).has_value());
  EXPECT_EQ(platform::GetLastError(), err::kNoMoreFiles);
  EXPECT_TRUE(Find(before, earlier->Id()).has_value());  // First starts again from the beginning
  EXPECT_TRUE(Find(TakeSnapshot(), later->Id()).has_value());
}

TEST(ProcessContract, ImagePathsOf256CharactersOrMoreCannotBeRead) {
  auto fits = MustStart(255);
  auto tooLong = MustStart(256);
  ASSERT_TRUE(fits && tooLong);
  std::optional<std::string> path = ImagePathOf(fits->Id(), win::kQueryInformation);
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(path->size(), 255u);
  EXPECT_EQ(ImagePathOf(tooLong->Id(), win::kQueryInformation), std::nullopt);
  EXPECT_EQ(platform::GetLastError(), err::kInsufficientBuffer);
  EXPECT_EQ(platform::QueryFullProcessImageNameA(platform::ProcessHandle()), std::nullopt);
}

TEST(ProcessContract, IdZeroCannotBeOpened) {
  for (std::uint32_t access : {win::kQueryInformation, win::kQueryLimitedInformation}) {
    platform::SetLastError(0);
    EXPECT_FALSE(platform::OpenProcess(access, false, 0)) << access;
    EXPECT_EQ(platform::GetLastError(), err::kInvalidParameter);
  }
}

TEST(ProcessContract, OwnersCloseOnceAndHandOverOnMove) {
  auto program = MustStart();
  ASSERT_TRUE(program);
  platform::ProcessValue process = 0;
  platform::SnapshotValue snapshot = 0;
  {
    platform::ProcessHandle first = platform::OpenProcess(win::kQueryInformation, false, program->Id());
    platform::Snapshot taken = TakeSnapshot();
    ASSERT_TRUE(first && taken);
    platform::ProcessHandle moved = std::move(first);
    platform::Snapshot movedSnapshot = std::move(taken);
    EXPECT_FALSE(first);
    EXPECT_FALSE(taken);
    process = moved.Get();
    snapshot = movedSnapshot.Get();
    EXPECT_TRUE(ProcessIsOpen(process));
    EXPECT_TRUE(SnapshotIsOpen(snapshot));
    moved = platform::OpenProcess(win::kQueryInformation, false, program->Id());
    EXPECT_FALSE(ProcessIsOpen(process));  // replaced: the first handle is closed
    process = moved.Get();
  }
  EXPECT_FALSE(ProcessIsOpen(process));
  EXPECT_FALSE(SnapshotIsOpen(snapshot));
}
