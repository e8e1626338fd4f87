// `sharpwell-cli awareness` over built executables of both architectures, one per text it
// prints (the manifest rules themselves are tested on manifest texts), paths on standard input.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "AwarenessCommand.h"
#include "common/FixturePath.h"
#include "common/LayersState.h"

namespace {
struct Row { const char* file; const char* expected; };  // expected: awareness TAB source
const Row kRows[] = {
    {"aw_pmv2_only.exe", "permonitorv2\tdpiAwareness"},
    {"aw_list_unknown_first.exe", "permonitor\tdpiAwareness"},
    {"aw_aware_true.exe", "system\tdpiAware"},
    {"aw_malformed.exe", "invalid\tnone"},
    {"no_manifest.exe", "unaware\tnone"},
    {"aw_id2_only.exe", "unaware\tnone"},
};
}  // namespace

TEST(AwarenessCommandTest, BuiltExecutablesGetTheAwarenessWindowsGivesThem) {
  for (const char* arch : {"x86", "x64"}) {
    std::string input, expected;
    for (const Row& row : kRows) {
      const std::string path = fixtures::FixturePath(arch, row.file);
      input += path + "\r\n\n";
      expected += std::string(row.expected) + "\t" + path + "\n";
    }
    const std::string missing = fixtures::FixturePath(arch, "missing.exe");
    input += missing + "\n";
    std::istringstream paths(input);
    std::FILE* output = std::tmpfile();
    EXPECT_EQ(RunAwareness({"-"}, paths, output), 1);  // one path could not be loaded
    const std::string printed = layers_state::ReadBack(output);
    EXPECT_EQ(printed.substr(0, expected.size()), expected) << arch;
    EXPECT_TRUE(printed.substr(expected.size()).starts_with("error\t2\t")) << printed;
    EXPECT_TRUE(printed.ends_with("\t" + missing + "\n")) << printed;
  }
}
