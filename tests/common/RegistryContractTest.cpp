// Registry access by key path, each test in a key of its own under HKCU\Software\SharpwellTest;
// stored bytes and types are read back with RegQueryValueExA, so every build stores the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "compat/modRegistry.h"
#include "platform/RegistryApi.h"

namespace {
using namespace platform;
using namespace platform::reg;
using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

struct RawValue {
  std::uint32_t type = kNoType;
  Bytes bytes = Bytes(64);
};

std::string RandomSuffix() {
  const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
  return std::to_string(std::mt19937_64(std::random_device()() ^ tick)());
}

RawValue ReadRaw(const std::string& subKey, const std::string& name) {
  RawValue raw;
  RegistryKey key;
  std::uint32_t size = 64;
  if (RegOpenKeyExA(kCurrentUser, subKey, 0, kQueryValue | kWow64Key64, key.Receive()) == kSuccess)
    RegQueryValueExA(key.Get(), name, &raw.type, raw.bytes.data(), &size);
  raw.bytes.resize(std::min<std::size_t>(size, raw.bytes.size()));
  return raw;
}

bool KeyExists(const std::string& subKey) {
  RegistryKey key;
  return RegOpenKeyExA(kCurrentUser, subKey, 0, kQueryValue | kWow64Key64, key.Receive()) ==
         kSuccess;
}

Names Sorted(Names names) {
  std::sort(names.begin(), names.end());
  return names;
}
}  // namespace

class RegistryContract : public ::testing::Test {
 protected:
  void TearDown() override {
    for (auto nested = nestedKeys_.rbegin(); nested != nestedKeys_.rend(); ++nested)
      RegDeleteKeyA(kCurrentUser, subKey_ + "\\" + *nested);
    RegDeleteKeyA(kCurrentUser, subKey_);
    RegDeleteKeyA(kCurrentUser, "Software\\SharpwellTest");  // fails while others use it
  }

  // Stores bytes of any type, for values the program itself never writes.
  void WriteRaw(const std::string& name, std::uint32_t type, const std::string& bytes) {
    RegistryKey key;
    ASSERT_EQ(RegCreateKeyExA(kCurrentUser, subKey_, 0, kAllAccess | kWow64Key64,
                              key.Receive(), nullptr), kSuccess);
    ASSERT_EQ(RegSetValueExA(key.Get(), name, type, bytes.data(),
                             static_cast<std::uint32_t>(bytes.size())), kSuccess);
  }

  const std::string subKey_ = "Software\\SharpwellTest\\" + RandomSuffix();
  const std::string path_ = "HKCU\\" + subKey_;
  Names nestedKeys_;  // below subKey_, parents first
};

TEST_F(RegistryContract, RootOnlyPathsWorkOnTheRootKeyItself) {
  const std::string name = "SharpwellTest-" + RandomSuffix();
  SetRegValue("HKCU", name, "written at the root");
  EXPECT_EQ(GetRegValue("hkcu\\", name).Text(), "written at the root");
  DeleteRegValue("HKCU\\", name);
  EXPECT_TRUE(GetRegValue("HKCU", name).IsNone());
}

TEST_F(RegistryContract, TextIsStoredAsZeroTerminatedRegSzNumbersAsDwordOrAsBinary) {
  SetRegValue(path_, "C:\\APPS\\TOOL.EXE", "HIGHDPIAWARE");
  RawValue raw = ReadRaw(subKey_, "C:\\APPS\\TOOL.EXE");
  EXPECT_EQ(raw.type, kSz);
  EXPECT_EQ(raw.bytes, Bytes({'H', 'I', 'G', 'H', 'D', 'P', 'I', 'A', 'W', 'A', 'R', 'E', 0}));
  SetRegValue(path_, "AppliedDPI", std::int32_t{120});
  raw = ReadRaw(subKey_, "AppliedDPI");
  EXPECT_EQ(raw.type, kDword);
  EXPECT_EQ(raw.bytes, Bytes({120, 0, 0, 0}));
  SetRegValue(path_, "True", true);
  EXPECT_EQ(GetRegValue(path_, "True").Number(), -1);

  // As binary: the same bytes, read back as text.
  SetRegValue(path_, "Number", std::int32_t{0x41424344}, true);
  EXPECT_EQ(GetRegValue(path_, "Number").Text(), "DCBA");
}

TEST_F(RegistryContract, ReadsFollowTheStoredType) {
  WriteRaw("Expand", kExpandSz, std::string("%SystemRoot%\\x", 15));
  EXPECT_EQ(GetRegValue(path_, "Expand").Text(), "%SystemRoot%\\x") << "not expanded";
  WriteRaw("Multi", kMultiSz, std::string("one\0two\0\0", 9));
  EXPECT_EQ(GetRegValue(path_, "Multi").Text(), std::string("one\0two\0", 8));
  WriteRaw("Unterminated", kSz, "");
  EXPECT_TRUE(GetRegValue(path_, "Unterminated").IsNone());
  // Values another program wrote: a type the program does not read, a DWORD cut short.
  WriteRaw("Qword", kQword, std::string(8, '\1'));
  EXPECT_TRUE(GetRegValue(path_, "Qword").IsNone());
  WriteRaw("ShortDword", kDword, "\x07\x01");
  EXPECT_EQ(GetRegValue(path_, "ShortDword").Number(), 0x107);
}

// The order is the registry's own (insertion order natively, name order under Wine); a
// name of 255 characters does not fit the listing's buffer and ends it.
TEST_F(RegistryContract, ListingGivesEveryValueNameOnceUpToOneTooLong) {
  nestedKeys_ = {"Sub"};
  SetRegValue(path_ + "\\Sub", "Alpha", "a");
  const std::string fits = "M" + std::string(253, 'x'), tooLong = "M" + std::string(254, 'y');
  for (const std::string& name : {std::string("Omega"), fits, std::string("Alpha")})
    SetRegValue(path_, name, "HIGHDPIAWARE");
  SetRegValue(path_, "Omega", std::int32_t{1});
  EXPECT_EQ(Sorted(EnumRegValues(path_)), Sorted({"Alpha", fits, "Omega"}));

  SetRegValue(path_ + "\\Sub", tooLong, "b");
  SetRegValue(path_ + "\\Sub", "Omega", "c");
  EXPECT_EQ(EnumRegValues(path_ + "\\Sub"), Names{"Alpha"});
}

TEST_F(RegistryContract, StoringCreatesKeysDeletingRemovesAValueOrTheKeyNamesIgnoreCase) {
  nestedKeys_ = {"Deep", "Deep\\Er"};
  const std::string deep = path_ + "\\Deep\\Er";
  SetRegValue(deep, "Keep", "k");
  SetRegValue(deep, "Drop", "d");
  SetRegValue(deep, "", "default value");
  SetRegValue(deep, "KEEP", "second");  // names ignore letter case, and so do keys
  EXPECT_EQ(GetRegValue("HKCU\\SOFTWARE\\SHARPWELLTEST" + deep.substr(27), "keep").Text(), "second");
  DeleteRegValue(deep, "DROP");
  EXPECT_EQ(Sorted(EnumRegValues(deep)), Sorted({"", "Keep"}));
  DeleteRegValue(path_ + "\\Deep", "");
  EXPECT_TRUE(KeyExists(subKey_ + "\\Deep")) << "a key with subkeys stays";
  DeleteRegValue(deep, "");
  EXPECT_FALSE(KeyExists(subKey_ + "\\Deep\\Er"));
}

// Keys opened for reading refuse writes; a path may not start with a backslash; a key
// with subkeys is not deleted; a deleted key's handles answer that it is gone.
TEST_F(RegistryContract, AccessChecksAndStatuses) {
  nestedKeys_ = {"B"};
  RegistryKey writer, reader;
  ASSERT_EQ(RegCreateKeyExA(kCurrentUser, subKey_ + "\\B", 0, kAllAccess | kWow64Key64,
                            writer.Receive(), nullptr), kSuccess);
  ASSERT_EQ(RegOpenKeyExA(kCurrentUser, subKey_ + "\\b", 0, 0x101, reader.Receive()), kSuccess);
  EXPECT_EQ(RegSetValueExA(reader.Get(), "v", kSz, "x", 2), kAccessDenied);
  RegKey refused = 1;
  EXPECT_EQ(RegOpenKeyExA(kCurrentUser, "\\" + subKey_, 0, 0x101, &refused), 161);
  EXPECT_EQ(RegDeleteKeyA(kCurrentUser, subKey_), kAccessDenied) << "has a subkey";
  EXPECT_EQ(RegDeleteKeyA(writer.Get(), ""), kSuccess);
  std::uint32_t size = 0;
  EXPECT_EQ(RegQueryValueExA(reader.Get(), "v", nullptr, nullptr, &size), kKeyDeleted);
}
