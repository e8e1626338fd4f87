// The calls modRegistry makes, as the in-memory registry logs them: each operation's
// access in the 64-bit view, buffer sizes, every key closed again, roots never.
#include <gtest/gtest.h>

#include "compat/modRegistry.h"
#include "platform/RegistryApi.h"
#include "platform/standin/RegistryStore.h"

using namespace platform;
using Calls = std::vector<std::pair<std::string, std::uint32_t>>;

namespace {
// The calls of one kind, as (name, number) pairs.
Calls CallsOf(const std::string& function) {
  Calls found;
  for (const standin::RegistryCall& call : standin::RegistryCalls()) {
    if (call.function == function) found.emplace_back(call.name, call.number);
  }
  return found;
}
}  // namespace

TEST(RegistryCallsTest, AccessBufferSizesAndClosing) {
  standin::ResetRegistry();
  const std::string subKey = "Software\\Sharpwell";
  const std::string key = "HKCU\\" + subKey;
  SetRegValue(key, "Long", std::string(39, 'z'));
  SetRegValue(key, "Number", std::int32_t{7});
  for (const char* name : {"zeta", "Alpha", "mid"}) SetRegValue(key, name, "x");
  SetRegValue(key, "ALPHA", "again");
  GetRegValue(key, "Long");
  GetRegValue(key, "Number");
  EXPECT_EQ(EnumRegValues(key), (std::vector<std::string>{"Long", "Number", "zeta", "Alpha", "mid"}));
  DeleteRegValue(key, "mid");

  EXPECT_EQ(CallsOf("RegCreateKeyExA"), Calls(6, {subKey, 0x106}));
  EXPECT_EQ(CallsOf("RegOpenKeyExA"), (Calls{{subKey, 0x101}, {subKey, 0x101}, {subKey, 0x101},
                                             {subKey, 0x102}}));
  // A text longer than the first buffer is read again with exactly the reported size.
  EXPECT_EQ(CallsOf("RegQueryValueExA"), (Calls{{"Long", 32}, {"Long", 40}, {"Number", 32},
                                                {"Number", 4}}));
  EXPECT_EQ(CallsOf("RegEnumValueA"), Calls(6, {"", 255}));
  EXPECT_EQ(standin::OpenRegistryHandles(), 0u);

  EXPECT_EQ(RegDeleteKeyA(reg::kCurrentUser, ""), reg::kAccessDenied);
  const std::size_t closes = CallsOf("RegCloseKey").size();
  { RegistryKey root(reg::kCurrentUser); }
  EXPECT_EQ(CallsOf("RegCloseKey").size(), closes);
}
