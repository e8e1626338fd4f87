// The executables made at build time for both architectures (fixtures.tsv lists each
// one's "DPI aware" text and subsystem), and what `sharpwell-cli awareness` prints for them.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "AwarenessCommand.h"
#include "catalogue/DpiAwareText.h"
#include "common/FixturePath.h"
#include "common/LayersState.h"
#include "inspect/InspectExecutable.h"
#include "inspect/clsExeReader.h"

TEST(GeneratedExecutablesTest, VerdictBitsAndSubsystemOfEveryFixture) {
  std::ifstream table(fixtures::FixturePath("fixtures.tsv"));
  std::set<std::string> verdicts;
  std::string line, file, dpiAware, subsystem;
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    if (line.starts_with('#') || !(fields >> file >> dpiAware >> subsystem)) continue;
    verdicts.insert(dpiAware);
    for (const char* arch : {"x86", "x64"}) {
      SCOPED_TRACE(std::string(arch) + "/" + file);
      clsExeReader reader;
      ExeInspection seen = InspectExecutable(reader, fixtures::FixturePath(arch, file));
      ASSERT_TRUE(seen.loaded) << seen.errorNumber << " " << seen.errorDescription;
      EXPECT_EQ(DpiAwareText(seen.dpiAware), dpiAware);
      EXPECT_EQ(seen.subsystem, std::stoi(subsystem));
      EXPECT_EQ(seen.bits, arch);
    }
  }
  EXPECT_EQ(verdicts, (std::set<std::string>{"Yes", "No", "N/A"}));
}

// Paths come on standard input; one that cannot be loaded prints an error line.
TEST(AwarenessCommandTest, BuiltExecutablesGetTheAwarenessWindowsGivesThem) {
  const std::pair<const char*, const char*> rows[] = {  // file, then awareness TAB source
      {"aw_pmv2_only.exe", "permonitorv2\tdpiAwareness"}, {"no_manifest.exe", "unaware\tnone"},
      {"aw_id2_only.exe", "unaware\tnone"},
  };
  std::string input, expected;
  for (const auto& [file, printed] : rows) {
    const std::string path = fixtures::FixturePath("x64", file);
    input += path + "\r\n\n";
    expected += std::string(printed) + "\t" + path + "\n";
  }
  const std::string missing = fixtures::FixturePath("x64", "missing.exe");
  std::istringstream paths(input + missing + "\n");
  std::FILE* output = std::tmpfile();
  EXPECT_EQ(RunAwareness({"-"}, paths, output), 1);  // one path could not be loaded
  const std::string printed = layers_state::ReadBack(output);
  EXPECT_EQ(printed.substr(0, expected.size()), expected);
  EXPECT_TRUE(printed.substr(expected.size()).starts_with("error\t2\t")) << printed;
  EXPECT_TRUE(printed.ends_with("\t" + missing + "\n")) << printed;
}
