// Registry access by key path, checked against the registry of the build: the
// in-memory one natively, Wine's real one in the Windows build. Each test works in a
// key of its own under HKCU\Software\SharpwellTest, removed again afterwards. What was
// stored is checked with the platform's own RegQueryValueExA, so both builds are held
// to the same bytes and types.
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

struct RawValue {
  std::int32_t status = -1;
  std::uint32_t type = kNoType;
  std::vector<std::uint8_t> bytes;
};

std::string RandomSuffix() {
  std::random_device device;
  auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
  std::mt19937_64 mix(device() ^ static_cast<std::uint64_t>(tick));
  return std::to_string(mix());
}

// The value as the platform holds it: status, type and every byte.
RawValue ReadRaw(const std::string& subKey, const std::string& name) {
  RawValue raw;
  RegKey opened = 0;
  raw.status = RegOpenKeyExA(kCurrentUser, subKey, 0, kQueryValue | kWow64Key64,
                             &opened);
  if (raw.status != kSuccess) return raw;
  RegistryKey key(opened);
  std::uint32_t size = 0;
  raw.status = RegQueryValueExA(key.Get(), name, &raw.type, nullptr, &size);
  if (raw.status != kSuccess) return raw;
  raw.bytes.assign(size, 0xCC);
  raw.status = RegQueryValueExA(key.Get(), name, &raw.type, raw.bytes.data(), &size);
  raw.bytes.resize(size);
  return raw;
}

bool KeyExists(const std::string& subKey) {
  RegKey opened = 0;
  std::int32_t status =
      RegOpenKeyExA(kCurrentUser, subKey, 0, kQueryValue | kWow64Key64, &opened);
  RegistryKey key(opened);
  return status == kSuccess;
}

// Stores bytes of any type, for values the program itself never writes.
void WriteRaw(const std::string& subKey, const std::string& name, std::uint32_t type,
              const std::string& bytes) {
  RegKey created = 0;
  ASSERT_EQ(RegCreateKeyExA(kCurrentUser, subKey, 0, kAllAccess | kWow64Key64,
                            &created, nullptr),
            kSuccess);
  RegistryKey key(created);
  ASSERT_EQ(RegSetValueExA(key.Get(), name, type, bytes.data(),
                           static_cast<std::uint32_t>(bytes.size())),
            kSuccess);
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<std::uint8_t> bytes;
  for (int value : values) bytes.push_back(static_cast<std::uint8_t>(value));
  return bytes;
}
}  // namespace

class RegistryContract : public ::testing::Test {
 protected:
  void SetUp() override {
    subKey_ = "Software\\SharpwellTest\\" + RandomSuffix();
    path_ = "HKCU\\" + subKey_;
  }

  void TearDown() override {
    for (const auto& name : rootValues_) RegDeleteValueA(kCurrentUser, name);
    for (auto nested = nestedKeys_.rbegin(); nested != nestedKeys_.rend(); ++nested)
      RegDeleteKeyA(kCurrentUser, subKey_ + "\\" + *nested);
    RegDeleteKeyA(kCurrentUser, subKey_);
    // Only removed once no other run still has a key in it.
    RegDeleteKeyA(kCurrentUser, "Software\\SharpwellTest");
    EXPECT_FALSE(KeyExists(subKey_));
  }

  // A value name directly under HKEY_CURRENT_USER, removed at the end.
  std::string RootValueName() {
    rootValues_.push_back("SharpwellTest-" + RandomSuffix());
    return rootValues_.back();
  }

  std::string subKey_;
  std::string path_;
  std::vector<std::string> nestedKeys_;  // below subKey_, parents first

 private:
  std::vector<std::string> rootValues_;
};

TEST(RegistryKeyPath, RootNamesResolveInAnyCaseAndOnlyTheShortForms) {
  const std::pair<const char*, RegKey> roots[] = {
      {"HKCR", kClassesRoot}, {"hkcu", kCurrentUser},  {"HkLm", kLocalMachine},
      {"hku", kUsers},         {"HKPD", kPerformanceData}, {"hKcC", kCurrentConfig}};
  for (const auto& [name, key] : roots) {
    ParsedKeyPath parsed = ParseKeyPath(std::string(name) + "\\Software\\Sub\\");
    EXPECT_EQ(parsed.root, key) << name;
    EXPECT_EQ(parsed.subKey, "Software\\Sub\\") << "the subkey passes on unchanged";
  }
  for (const char* rootOnly : {"HKCU", "HKCU\\"}) {
    EXPECT_EQ(ParseKeyPath(rootOnly).root, kCurrentUser);
    EXPECT_EQ(ParseKeyPath(rootOnly).subKey, "");
  }
  EXPECT_EQ(ParseKeyPath("HKEY_CURRENT_USER\\Software").subKey, "Software");
  for (const char* unknown : {"HKEY_CURRENT_USER\\Software", "", "\\Software", "HKCUX\\S"})
    EXPECT_FALSE(ParseKeyPath(unknown).root.has_value()) << unknown;
}

TEST_F(RegistryContract, RootOnlyPathsWorkOnTheRootKeyItself) {
  const std::string name = RootValueName();
  SetRegValue("HKCU", name, "written at the root");
  EXPECT_EQ(ReadRaw("", name).status, kSuccess);
  EXPECT_EQ(GetRegValue("hkcu\\", name).Text(), "written at the root");
  const std::vector<std::string> rootNames = EnumRegValues("HKCU");
  EXPECT_NE(std::find(rootNames.begin(), rootNames.end(), name), rootNames.end());

  DeleteRegValue("HKCU\\", name);
  EXPECT_EQ(ReadRaw("", name).status, kFileNotFound);
  EXPECT_TRUE(GetRegValue("HKCU", name).IsNone());
}

TEST_F(RegistryContract, UnknownRootsStoreNothingAndReadNothing) {
  for (const std::string root : {"HKEY_CURRENT_USER", "XYZ", ""}) {
    SetRegValue(root + "\\" + subKey_, "Value", "text");
    EXPECT_FALSE(KeyExists(subKey_)) << root;
  }
  SetRegValue(path_, "Value", "kept");
  for (const std::string root : {"HKEY_CURRENT_USER", "XYZ"}) {
    const std::string path = root + "\\" + subKey_;
    EXPECT_TRUE(GetRegValue(path, "Value").IsNone()) << root;
    EXPECT_TRUE(EnumRegValues(path).empty()) << root;
    DeleteRegValue(path, "Value");
    DeleteRegValue(path, "");
  }
  EXPECT_EQ(GetRegValue(path_, "Value").Text(), "kept");
}

TEST_F(RegistryContract, TextIsStoredAsZeroTerminatedRegSzAndReadBackWhole) {
  SetRegValue(path_, "C:\\APPS\\TOOL.EXE", "HIGHDPIAWARE");
  RawValue raw = ReadRaw(subKey_, "C:\\APPS\\TOOL.EXE");
  ASSERT_EQ(raw.status, kSuccess);
  EXPECT_EQ(raw.type, kSz);
  ASSERT_EQ(raw.bytes.size(), 13u);
  EXPECT_EQ(raw.bytes.back(), 0);
  EXPECT_EQ(GetRegValue(path_, "C:\\APPS\\TOOL.EXE").Text(), "HIGHDPIAWARE");

  SetRegValue(path_, "Empty", "");
  EXPECT_EQ(ReadRaw(subKey_, "Empty").bytes, Bytes({0}));
  EXPECT_TRUE(GetRegValue(path_, "Empty").IsText()) << "an empty text is still a text";

  // 31 characters fill the first 32-byte read exactly; longer ones need a second read.
  for (std::size_t length : {31u, 32u, 33u, 2000u}) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += static_cast<char>('a' + i % 26);
    SetRegValue(path_, "Long", text);
    EXPECT_EQ(GetRegValue(path_, "Long").Text(), text) << length;
  }
}

TEST_F(RegistryContract, NumbersAndBooleansAreStoredAsDwordOrAsBinary) {
  SetRegValue(path_, "AppliedDPI", std::int32_t{120});
  RawValue raw = ReadRaw(subKey_, "AppliedDPI");
  EXPECT_EQ(raw.type, kDword);
  EXPECT_EQ(raw.bytes, Bytes({120, 0, 0, 0}));
  RegistryData read = GetRegValue(path_, "AppliedDPI");
  EXPECT_EQ(read.Number(), 120);
  EXPECT_EQ(read.ToText(), "120");

  SetRegValue(path_, "True", true);
  raw = ReadRaw(subKey_, "True");
  EXPECT_EQ(raw.type, kDword);
  EXPECT_EQ(raw.bytes, Bytes({0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(GetRegValue(path_, "True").Number(), -1);
  SetRegValue(path_, "Byte", std::uint8_t{200});
  EXPECT_EQ(GetRegValue(path_, "Byte").Number(), 200);
  SetRegValue(path_, "Short", std::int16_t{-2});
  EXPECT_EQ(ReadRaw(subKey_, "Short").bytes, Bytes({0xFE, 0xFF, 0xFF, 0xFF}));

  // As binary: the same bytes, a text without its terminating zero; read back as text.
  SetRegValue(path_, "Number", std::int32_t{0x41424344}, true);
  EXPECT_EQ(ReadRaw(subKey_, "Number").type, kBinary);
  EXPECT_EQ(GetRegValue(path_, "Number").Text(), "DCBA");
  const std::string long40(40, 'x');
  SetRegValue(path_, "Text", long40, true);
  EXPECT_EQ(ReadRaw(subKey_, "Text").bytes.size(), 40u);
  EXPECT_EQ(GetRegValue(path_, "Text").Text(), long40);
}

TEST_F(RegistryContract, ReadsFollowTheStoredType) {
  WriteRaw(subKey_, "Expand", kExpandSz, std::string("%SystemRoot%\\x", 15));
  EXPECT_EQ(GetRegValue(path_, "Expand").Text(), "%SystemRoot%\\x") << "not expanded";
  WriteRaw(subKey_, "Multi", kMultiSz, std::string("one\0two\0\0", 9));
  EXPECT_EQ(GetRegValue(path_, "Multi").Text(), std::string("one\0two\0", 8));
  WriteRaw(subKey_, "Qword", kQword, std::string(8, '\1'));
  EXPECT_TRUE(GetRegValue(path_, "Qword").IsNone());
  WriteRaw(subKey_, "Unterminated", kSz, "");
  EXPECT_TRUE(GetRegValue(path_, "Unterminated").IsNone());
  WriteRaw(subKey_, "ShortDword", kDword, "\x07\x01");
  EXPECT_EQ(GetRegValue(path_, "ShortDword").Number(), 0x107);

  RegistryData missing = GetRegValue(path_, "Missing");
  EXPECT_TRUE(missing.IsNone());
  EXPECT_EQ(missing.ToText(), "");
  EXPECT_TRUE(GetRegValue(path_ + "\\NoSuchKey", "Value").IsNone());
}

TEST_F(RegistryContract, NamesIgnoreLetterCase) {
  SetRegValue(path_, "Flags", "first");
  SetRegValue(path_, "FLAGS", "second");
  EXPECT_EQ(EnumRegValues(path_), std::vector<std::string>{"Flags"});
  EXPECT_EQ(GetRegValue(path_, "flags").Text(), "second");

  std::string upperKey = path_;
  std::transform(upperKey.begin(), upperKey.end(), upperKey.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  EXPECT_EQ(GetRegValue(upperKey, "Flags").Text(), "second");
}

TEST_F(RegistryContract, ListingGivesEveryValueNameOnce) {
  EXPECT_TRUE(EnumRegValues(path_).empty()) << "missing key";
  SetRegValue(path_ + "\\Sub", "x", "y");
  nestedKeys_.push_back("Sub");
  EXPECT_TRUE(EnumRegValues(path_).empty()) << "key with a subkey but no values";

  const std::vector<std::string> names{"zeta", "Alpha", "C:\\PROGRAM FILES\\APP.EXE", "mid"};
  for (const auto& name : names) SetRegValue(path_, name, "HIGHDPIAWARE");
  SetRegValue(path_, "zeta", std::int32_t{1});
  // The order is the registry's own (insertion order natively, name order under Wine).
  EXPECT_EQ(Sorted(EnumRegValues(path_)), Sorted(names));
}

TEST_F(RegistryContract, ANameOf255CharactersEndsTheListing) {
  // "M..." sits between the other two both in the order of storing and in name order.
  const std::string fits = "M" + std::string(253, 'x');
  const std::string tooLong = "M" + std::string(254, 'y');
  SetRegValue(path_, "Alpha", "a");
  SetRegValue(path_, fits, "b");
  SetRegValue(path_, "Omega", "c");
  EXPECT_EQ(Sorted(EnumRegValues(path_)), Sorted({"Alpha", fits, "Omega"}));

  const std::string path = path_ + "\\Long";
  nestedKeys_.push_back("Long");
  SetRegValue(path, "Alpha", "a");
  SetRegValue(path, tooLong, "b");
  SetRegValue(path, "Omega", "c");
  ASSERT_EQ(GetRegValue(path, tooLong).Text(), "b") << "the value itself is there";
  EXPECT_EQ(EnumRegValues(path), std::vector<std::string>{"Alpha"});
}

TEST_F(RegistryContract, StoringCreatesTheKeysAndDeletingRemovesAValueOrTheKey) {
  nestedKeys_ = {"Deep", "Deep\\Er"};
  const std::string deep = path_ + "\\Deep\\Er";
  SetRegValue(deep, "Keep", "k");
  SetRegValue(deep, "Drop", "d");
  SetRegValue(deep, "", "default value");
  EXPECT_EQ(GetRegValue(deep, "").Text(), "default value");
  DeleteRegValue(deep, "Missing");
  DeleteRegValue(deep + "\\NoSuchKey", "Keep");
  DeleteRegValue(deep, "DROP");
  EXPECT_EQ(Sorted(EnumRegValues(deep)), Sorted({"", "Keep"}));

  DeleteRegValue(path_ + "\\Deep", "");
  EXPECT_TRUE(KeyExists(subKey_ + "\\Deep")) << "a key with subkeys stays";
  DeleteRegValue(deep, "");
  EXPECT_FALSE(KeyExists(subKey_ + "\\Deep\\Er"));
  EXPECT_TRUE(GetRegValue(deep, "Keep").IsNone());
}

TEST_F(RegistryContract, NonAsciiNamesAndTextRoundTrip) {
  // Names and texts cross the registry in the process's code page; only in UTF-8
  // can these characters pass.
  if (GetACP() != 65001) GTEST_SKIP() << "code page " << GetACP() << " is not UTF-8";
  const std::string keyName = "Schl\xC3\xBCssel-\xE5\x90\x8D";   // Schlüssel-名
  const std::string valueName = "C:\\PROGRAMME\\CAF\xC3\x89.EXE";  // CAFÉ.EXE
  const std::string text = "HIGHDPIAWARE \xE2\x9C\x93";          // ✓
  nestedKeys_.push_back(keyName);
  SetRegValue(path_ + "\\" + keyName, valueName, text);
  EXPECT_EQ(GetRegValue(path_ + "\\" + keyName, valueName).Text(), text);
  EXPECT_EQ(EnumRegValues(path_ + "\\" + keyName), std::vector<std::string>{valueName});
}

// Keys opened for reading refuse writes; a path may not start with a backslash; a key
// with subkeys is not deleted; a deleted key's handles answer that it is gone.
TEST_F(RegistryContract, AccessChecksAndStatuses) {
  nestedKeys_.push_back("B");
  RegistryKey writer, reader;
  ASSERT_EQ(RegCreateKeyExA(kCurrentUser, subKey_ + "\\B", 0, kAllAccess | kWow64Key64,
                            writer.Receive(), nullptr),
            kSuccess);
  ASSERT_EQ(RegOpenKeyExA(kCurrentUser, subKey_ + "\\b", 0, 0x101, reader.Receive()), kSuccess);
  EXPECT_EQ(RegSetValueExA(reader.Get(), "v", kSz, "x", 2), kAccessDenied);
  EXPECT_EQ(RegDeleteValueA(reader.Get(), "v"), kAccessDenied);
  RegKey refused = 1;
  EXPECT_EQ(RegOpenKeyExA(kCurrentUser, "\\" + subKey_, 0, 0x101, &refused), 161);
  EXPECT_EQ(refused, 0u);

  EXPECT_EQ(RegDeleteKeyA(kCurrentUser, subKey_), kAccessDenied) << "has a subkey";
  EXPECT_EQ(RegDeleteKeyA(writer.Get(), ""), kSuccess);
  std::uint32_t size = 0;
  EXPECT_EQ(RegQueryValueExA(reader.Get(), "v", nullptr, nullptr, &size), kKeyDeleted);
  RegistryKey moved(std::move(writer));  // owners close once, also after a move
  writer = std::move(moved);
}
