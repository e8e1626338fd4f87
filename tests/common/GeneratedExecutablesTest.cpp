// The verdict, bitness and subsystem of the executables that mingw-w64 and windres made
// at build time (listed in fixtures.tsv: file, "DPI aware" text, subsystem), for both
// architectures.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "catalogue/DpiAwareText.h"
#include "common/FixturePath.h"
#include "inspect/InspectExecutable.h"
#include "inspect/clsExeReader.h"

TEST(GeneratedExecutablesTest, VerdictBitsAndSubsystemOfEveryFixture) {
  std::ifstream table(fixtures::FixturePath("fixtures.tsv"));
  std::set<std::string> verdicts;
  std::string line, file, dpiAware, subsystem;
  while (std::getline(table, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::getline(std::getline(std::getline(fields, file, '\t'), dpiAware, '\t'), subsystem);
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
  // Guards the loop against running over nothing.
  EXPECT_EQ(verdicts, (std::set<std::string>{"Yes", "No", "N/A"}));
}
