// `sharpwell-cli awareness` over built executables of both architectures, one per text it
// prints (the manifest rules themselves are tested on manifest texts), paths on standard input.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "AwarenessCommand.h"
#include "common/FixturePath.h"
#include "common/LayersState.h"

TEST(AwarenessCommandTest, BuiltExecutablesGetTheAwarenessWindowsGivesThem) {
  const std::pair<const char*, const char*> rows[] = {  // file, then awareness TAB source
      {"aw_pmv2_only.exe", "permonitorv2\tdpiAwareness"}, {"aw_aware_true.exe", "system\tdpiAware"},
      {"aw_list_unknown_first.exe", "permonitor\tdpiAwareness"}, {"aw_malformed.exe", "invalid\tnone"},
      {"no_manifest.exe", "unaware\tnone"}, {"aw_id2_only.exe", "unaware\tnone"},
  };
  for (const char* arch : {"x86", "x64"}) {
    std::string input, expected;
    for (const auto& [file, printed] : rows) {
      const std::string path = fixtures::FixturePath(arch, file);
      input += path + "\r\n\n";
      expected += std::string(printed) + "\t" + path + "\n";
    }
    const std::string missing = fixtures::FixturePath(arch, "missing.exe");
    std::istringstream paths(input + missing + "\n");
    std::FILE* output = std::tmpfile();
    EXPECT_EQ(RunAwareness({"-"}, paths, output), 1);  // one path could not be loaded
    const std::string printed = layers_state::ReadBack(output);
    EXPECT_EQ(printed.substr(0, expected.size()), expected) << arch;
    EXPECT_TRUE(printed.substr(expected.size()).starts_with("error\t2\t")) << printed;
    EXPECT_TRUE(printed.ends_with("\t" + missing + "\n")) << printed;
  }
}
