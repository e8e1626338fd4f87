// The in-memory registry of the native build: the calls modRegistry makes (access
// masks, buffer sizes, every key closed again, roots never).
#include <gtest/gtest.h>

#include "compat/modRegistry.h"
#include "platform/RegistryApi.h"
#include "platform/standin/RegistryStore.h"

using namespace platform;
using namespace platform::reg;
using platform::standin::RegistryCall;
using platform::standin::RegistryCalls;

namespace {
constexpr const char* kLayers =
    "HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";

// The calls of one kind, as (name, number) pairs.
std::vector<std::pair<std::string, std::uint32_t>> CallsOf(const std::string& function) {
  std::vector<std::pair<std::string, std::uint32_t>> found;
  for (const RegistryCall& call : RegistryCalls()) {
    if (call.function == function) found.emplace_back(call.name, call.number);
  }
  return found;
}
}  // namespace

class RegistryStandin : public ::testing::Test {
 protected:
  void SetUp() override { standin::ResetRegistry(); }
  void TearDown() override {
    EXPECT_EQ(standin::OpenRegistryHandles(), 0u) << "every key is closed again";
  }
};

TEST_F(RegistryStandin, EachOperationAsksForItsOwnAccessInThe64BitView) {
  SetRegValue(kLayers, "C:\\A.EXE", "HIGHDPIAWARE");
  GetRegValue(kLayers, "C:\\A.EXE");
  EnumRegValues(kLayers);
  DeleteRegValue(kLayers, "C:\\A.EXE");
  const std::string subKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";
  EXPECT_EQ(CallsOf("RegCreateKeyExA"), (decltype(CallsOf("")){{subKey, 0x106}}));
  EXPECT_EQ(CallsOf("RegOpenKeyExA"),
            (decltype(CallsOf("")){{subKey, 0x101}, {subKey, 0x101}, {subKey, 0x102}}));
}

TEST_F(RegistryStandin, LongTextsAreReadAgainWithExactlyTheReportedSize) {
  SetRegValue("HKCU\\K", "Short", "HIGHDPIAWARE");
  SetRegValue("HKCU\\K", "Long", std::string(39, 'z'));
  SetRegValue("HKCU\\K", "Number", std::int32_t{7});
  standin::ClearRegistryCalls();
  GetRegValue("HKCU\\K", "Short");
  GetRegValue("HKCU\\K", "Long");
  GetRegValue("HKCU\\K", "Number");
  GetRegValue("HKCU\\K", "Missing");
  EXPECT_EQ(CallsOf("RegQueryValueExA"),
            (decltype(CallsOf("")){{"Short", 32}, {"Long", 32}, {"Long", 40},
                                   {"Number", 32}, {"Number", 4}, {"Missing", 32}}));
}

TEST_F(RegistryStandin, ListingUsesA255CharacterNameBufferInStoringOrder) {
  for (const char* name : {"zeta", "Alpha", "mid"}) SetRegValue("HKCU\\K", name, "x");
  SetRegValue("HKCU\\K", "ALPHA", "again");
  standin::ClearRegistryCalls();
  EXPECT_EQ(EnumRegValues("HKCU\\K"), (std::vector<std::string>{"zeta", "Alpha", "mid"}));
  for (const auto& call : CallsOf("RegEnumValueA")) EXPECT_EQ(call.second, 255u);
  EXPECT_EQ(CallsOf("RegEnumValueA").size(), 4u) << "three names and the end";
}

TEST_F(RegistryStandin, RootsStayAndAreNeverClosed) {
  EXPECT_EQ(RegDeleteKeyA(kCurrentUser, ""), kAccessDenied);
  { RegistryKey root(kCurrentUser); }
  EXPECT_TRUE(CallsOf("RegCloseKey").empty());
}
