// clsFile over the build's file calls (POSIX stand-ins natively, kernel32 under Wine).
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/TempFolder.h"
#include "inspect/clsFile.h"
#include "platform/CurrentError.h"
#include "platform/FileApi.h"

namespace {

namespace err = platform::err;

class FileAccessContract : public ::testing::Test {
 protected:
  void SetUp() override { CurrentError::Clear(); }
  TempFolder folder_;
  clsFile file_;
};

TEST_F(FileAccessContract, TypedValuesAreWrittenLittleEndianAndReadBack) {
  file_.NewFile(folder_.Write("values.bin", std::string(40, 'x')));  // truncated
  file_.WriteValue(std::int16_t{0x1234});
  file_.WriteValue(std::int32_t{-2});
  file_.WriteValue(-0.25);
  file_.WriteValue(std::string("MZ"));
  file_.CloseFile();
  EXPECT_EQ(folder_.Read("values.bin"),
            std::string("\x34\x12\xFE\xFF\xFF\xFF\x00\x00\x00\x00\x00\x00\xD0\xBF" "MZ", 16));

  file_.OpenCreateFile(folder_.Path("values.bin"));  // opens without truncating
  EXPECT_EQ(file_.Length(), 16);
  clsFile other;  // a second open file has a handle of its own
  other.OpenFile(folder_.Write("other.bin", "Q"));
  const auto read = [&](auto value) {
    file_.ReadValue(value);
    return value;
  };
  EXPECT_EQ(read(std::int16_t{}), 0x1234);
  EXPECT_EQ(read(std::int32_t{}), -2);
  EXPECT_EQ(read(0.0), -0.25);
  EXPECT_EQ(read(std::string(2, '\0')), "MZ");
  EXPECT_EQ(CurrentError::Number(), 0) << "no call failed";
}

// Reads at the end stop short without an error: text keeps the rest of its size, arrays
// leave the rest untouched; the cursor ignores negative moves and may pass the end.
TEST_F(FileAccessContract, ReadsStopShortAtTheEnd) {
  file_.OpenFile(folder_.Write("longs.bin", std::string("\x01\0\0\0\x02\0\0\0\x03\0\0\0\x04\0\0\0XYZ", 19)));
  std::array<std::int32_t, 3> longs{-1, -1, -1};
  EXPECT_EQ(file_.ReadLongs(longs), 12u);
  EXPECT_EQ(longs, (std::array<std::int32_t, 3>{1, 2, 3}));
  longs = {-1, -1, -1};
  EXPECT_EQ(file_.ReadLongs(longs), 7u);
  EXPECT_EQ(longs[0], 4);
  EXPECT_EQ(longs[2], -1);

  file_.Cursor(14.6);
  file_.Cursor(-1);
  EXPECT_EQ(file_.Cursor(), 15);
  std::string cut(6, '\0');
  file_.ReadValue(cut);
  EXPECT_EQ(cut, std::string("\0XYZ\0\0", 6));

  file_.Cursor(1000);
  std::array<std::uint8_t, 2> bytes{9, 9};
  EXPECT_EQ(file_.ReadBytes(bytes), 0u);
  EXPECT_EQ(CurrentError::Number(), 0);
  std::vector<std::uint8_t> none;
  EXPECT_EQ(file_.ReadBytes(none), 0u);
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::SubscriptOutOfRange);
}

// Every failed open carries the system's number and text, and leaves no file open,
// not even the one opened before.
TEST_F(FileAccessContract, FailedOpens) {
  const std::string existing = folder_.Write("existing.bin", "keep");
  const struct {
    std::function<void()> open;
    std::uint32_t error;
  } cases[] = {
      {[&] { file_.OpenFile(folder_.Path("absent.bin")); }, err::kFileNotFound},
      {[&] { file_.OpenFile(folder_.Path("nowhere/absent.exe")); }, err::kPathNotFound},
      {[&] { file_.OpenFile(folder_.Path(), platform::win::kGenericRead, 7); }, err::kAccessDenied},
      {[&] { file_.NewFileNoOverwrite(existing); }, err::kFileExists},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    file_.OpenCreateFile(folder_.Path("created.bin"));
    c.open();
    EXPECT_EQ(CurrentError::Number(), static_cast<std::int32_t>(c.error));
    EXPECT_EQ(file_.GetFilename(), "");
  }
  EXPECT_FALSE(CurrentError::Description().empty());
  std::int32_t value = 7;  // with no file open nothing is read
  file_.ReadValue(value);
  EXPECT_EQ(CurrentError::Number(), static_cast<std::int32_t>(err::kInvalidHandle));
  EXPECT_EQ(value, 7);
  EXPECT_EQ(file_.Cursor(), -1);
  EXPECT_EQ(file_.Length(), -1);
}

}  // namespace
