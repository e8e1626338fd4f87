// clsFile over the build's file calls (POSIX stand-ins natively, kernel32 under Wine):
// the contract both must keep.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/TempFolder.h"
#include "inspect/clsFile.h"
#include "platform/CurrentError.h"
#include "platform/FileApi.h"

namespace {

using platform::kInvalidFileHandle;
namespace win = platform::win;
namespace err = platform::err;

class ClsFileTest : public ::testing::Test {
 protected:
  void SetUp() override { CurrentError::Clear(); }
  TempFolder folder_;
};

TEST_F(ClsFileTest, WithoutAFileCursorAndLengthAreMinusOneAndReadsFailAsInvalidHandle) {
  clsFile file;
  EXPECT_EQ(file.hFile(), kInvalidFileHandle);
  EXPECT_EQ(file.Cursor(), -1);
  EXPECT_EQ(file.Length(), -1);
  EXPECT_EQ(file.GetFilename(), "");
  EXPECT_EQ(CurrentError::Number(), 0);

  std::int32_t value = 7;
  file.ReadValue(value);
  EXPECT_EQ(CurrentError::Number(), static_cast<std::int32_t>(err::kInvalidHandle));
  EXPECT_EQ(value, 7);
  file.CloseFile();  // harmless without a file
  EXPECT_EQ(file.hFile(), kInvalidFileHandle);
}

TEST_F(ClsFileTest, TypedValuesAreWrittenLittleEndianAndReadBack) {
  const std::string path = folder_.Path("values.bin");
  {
    clsFile file;
    file.NewFile(path);
    ASSERT_EQ(CurrentError::Number(), 0) << CurrentError::Description();
    file.WriteValue(std::int16_t{0x1234});
    file.WriteValue(std::int32_t{-2});
    file.WriteValue(1.5f);
    file.WriteValue(-0.25);
    file.WriteValue(Currency{0x0102030405060708});
    file.WriteValue(std::uint8_t{0xAB});
    file.WriteValue(std::string("MZ"));
    EXPECT_EQ(file.Length(), 29);
    EXPECT_EQ(file.Cursor(), 29);
  }  // destruction closes the file, so its bytes can be checked from outside
  const std::string expected(
      "\x34\x12"
      "\xFE\xFF\xFF\xFF"
      "\x00\x00\xC0\x3F"
      "\x00\x00\x00\x00\x00\x00\xD0\xBF"
      "\x08\x07\x06\x05\x04\x03\x02\x01"
      "\xAB"
      "MZ",
      29);
  EXPECT_EQ(folder_.Read("values.bin"), expected);

  clsFile file;
  file.OpenFile(path);
  std::int16_t i16 = 0;
  std::int32_t i32 = 0;
  float single = 0;
  double dbl = 0;
  Currency money;
  std::uint8_t byte = 0;
  std::string text(2, '\0');
  file.ReadValue(i16);
  file.ReadValue(i32);
  file.ReadValue(single);
  file.ReadValue(dbl);
  file.ReadValue(money);
  file.ReadValue(byte);
  file.ReadValue(text);
  EXPECT_EQ(i16, 0x1234);
  EXPECT_EQ(i32, -2);
  EXPECT_EQ(single, 1.5f);
  EXPECT_EQ(dbl, -0.25);
  EXPECT_EQ(money.scaled, 0x0102030405060708);
  EXPECT_EQ(byte, 0xAB);
  EXPECT_EQ(text, "MZ");
  EXPECT_EQ(CurrentError::Number(), 0);
}

TEST_F(ClsFileTest, TextValuesReadAsManyBytesAsTheyHaveCharacters) {
  clsFile file;
  file.OpenFile(folder_.Write("text.bin", "ABCDEFGHIJK"));
  std::string empty;
  file.ReadValue(empty);
  EXPECT_EQ(empty, "");
  EXPECT_EQ(file.Cursor(), 0);

  std::string eight(8, '\0');
  file.ReadValue(eight);
  EXPECT_EQ(eight, "ABCDEFGH");
  EXPECT_EQ(file.Cursor(), 8);

  std::string cut(8, '\0');  // only 3 bytes left: the rest stays as sized
  file.ReadValue(cut);
  EXPECT_EQ(cut, std::string("IJK\0\0\0\0\0", 8));
  EXPECT_EQ(CurrentError::Number(), 0);
}

TEST_F(ClsFileTest, ArrayReadsStopShortAtTheEndWithoutAnError) {
  clsFile file;
  file.OpenFile(folder_.Write("longs.bin", std::string("\x01\0\0\0\x02\0\0\0\x03\0\0\0\x04\0\0\0\x05\0\0\0", 20)));
  std::array<std::int32_t, 3> longs{-1, -1, -1};
  EXPECT_EQ(file.ReadLongs(longs), 12u);
  EXPECT_EQ(file.BytesTransferred(), 12u);
  EXPECT_EQ(longs, (std::array<std::int32_t, 3>{1, 2, 3}));

  longs = {-1, -1, -1};
  EXPECT_EQ(file.ReadLongs(longs), 8u);
  EXPECT_EQ(file.BytesTransferred(), 8u);
  EXPECT_EQ(longs, (std::array<std::int32_t, 3>{4, 5, -1}));
  EXPECT_EQ(CurrentError::Number(), 0);

  std::vector<std::uint8_t> none;
  EXPECT_EQ(file.ReadBytes(none), 0u);
  EXPECT_EQ(CurrentError::Number(), ErrorNumber::SubscriptOutOfRange);
}

TEST_F(ClsFileTest, CursorIgnoresNegativeValuesAndMayPassTheEnd) {
  clsFile file;
  file.OpenFile(folder_.Write("ten.bin", "0123456789"));
  file.Cursor(2.6);
  EXPECT_EQ(file.Cursor(), 3);
  file.Cursor(-1);
  EXPECT_EQ(file.Cursor(), 3);
  EXPECT_EQ(CurrentError::Number(), 0);

  file.Cursor(1000);
  EXPECT_EQ(file.Cursor(), 1000);
  std::array<std::uint8_t, 4> bytes{9, 9, 9, 9};
  EXPECT_EQ(file.ReadBytes(bytes), 0u);
  EXPECT_EQ(bytes, (std::array<std::uint8_t, 4>{9, 9, 9, 9}));
  EXPECT_EQ(file.Length(), 10);
  EXPECT_EQ(CurrentError::Number(), 0);
}

TEST_F(ClsFileTest, CreationDispositions) {
  const std::string existing = folder_.Write("existing.bin", "keep");
  clsFile file;
  file.NewFileNoOverwrite(existing);
  EXPECT_EQ(CurrentError::Number(), static_cast<std::int32_t>(err::kFileExists));
  EXPECT_FALSE(CurrentError::Description().empty());
  EXPECT_EQ(file.hFile(), kInvalidFileHandle);
  EXPECT_EQ(file.GetFilename(), "");
  EXPECT_EQ(folder_.Read("existing.bin"), "keep");

  CurrentError::Clear();
  file.OpenFile(folder_.Path("absent.bin"));
  EXPECT_EQ(CurrentError::Number(), static_cast<std::int32_t>(err::kFileNotFound));
  EXPECT_EQ(file.hFile(), kInvalidFileHandle);

  CurrentError::Clear();
  file.OpenCreateFile(existing);  // opens without truncating
  EXPECT_EQ(file.Length(), 4);
  file.OpenCreateFile(folder_.Path("created.bin"));
  EXPECT_EQ(file.Length(), 0);
  file.NewFile(existing);  // truncates
  EXPECT_EQ(file.Length(), 0);
  EXPECT_EQ(CurrentError::Number(), 0);
}

TEST_F(ClsFileTest, ASecondOpenReplacesTheFirstFile) {
  const std::string first = folder_.Write("first.bin", "AAAA");
  const std::string second = folder_.Write("second.bin", "BBBBBB");
  clsFile file;
  file.OpenFile(first);
  file.Cursor(2);
  file.OpenFile(second);
  EXPECT_EQ(file.GetFilename(), second);
  EXPECT_EQ(file.Cursor(), 0);
  EXPECT_EQ(file.Length(), 6);
  std::uint8_t byte = 0;
  file.ReadValue(byte);
  EXPECT_EQ(byte, 'B');

  file.OpenFile(folder_.Path("absent.bin"));  // a failed open still closes the previous file
  EXPECT_EQ(file.hFile(), kInvalidFileHandle);
  EXPECT_EQ(file.GetFilename(), "");
}

}  // namespace
