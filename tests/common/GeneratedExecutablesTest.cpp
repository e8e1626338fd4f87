// The verdict, bitness, subsystem and section-table offset over the executables that
// mingw-w64 and windres made at build time (listed in fixtures.tsv), for both
// architectures. The expected section table is found from the file's own e_lfanew.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/DpiAwareText.h"
#include "common/FixturePath.h"
#include "inspect/InspectExecutable.h"
#include "inspect/clsExeReader.h"

namespace {

struct FixtureCase {
  std::string arch;  // "x86" or "x64": the folder and the expected Architecture text
  std::string fileName;
  std::string dpiAware;
  std::int32_t subsystem = 0;
};

void PrintTo(const FixtureCase& c, std::ostream* out) { *out << c.arch << '/' << c.fileName; }

std::vector<FixtureCase> LoadFixtureCases() {
  std::vector<FixtureCase> cases;
  std::ifstream table(fixtures::FixturePath("fixtures.tsv"));
  std::string line;
  while (std::getline(table, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    FixtureCase row;
    std::string subsystem;
    std::getline(fields, row.fileName, '\t');
    std::getline(fields, row.dpiAware, '\t');
    std::getline(fields, subsystem, '\t');
    row.subsystem = std::stoi(subsystem);
    for (const char* arch : {"x86", "x64"}) {
      row.arch = arch;
      cases.push_back(row);
    }
  }
  return cases;
}

// e_lfanew read straight from the file, apart from the reader under test.
std::int64_t ReadLfanew(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::array<unsigned char, 64> dos{};
  if (!file.read(reinterpret_cast<char*>(dos.data()), dos.size())) return -1;
  return static_cast<std::int32_t>(dos[60] | dos[61] << 8 | dos[62] << 16 |
                                   static_cast<std::uint32_t>(dos[63]) << 24);
}

std::string CaseName(const ::testing::TestParamInfo<FixtureCase>& info) {
  std::string name = info.param.fileName.substr(0, info.param.fileName.find('.'));
  return name + "_" + info.param.arch;
}

class GeneratedExecutablesTest : public ::testing::TestWithParam<FixtureCase> {};

TEST_P(GeneratedExecutablesTest, VerdictBitsSubsystemAndSectionTable) {
  const FixtureCase& expected = GetParam();
  const std::string path = fixtures::FixturePath(expected.arch, expected.fileName);
  clsExeReader reader;
  ExeInspection seen = InspectExecutable(reader, path);

  ASSERT_TRUE(seen.loaded) << seen.errorNumber << " " << seen.errorDescription;
  EXPECT_EQ(DpiAwareText(seen.dpiAware), expected.dpiAware);
  EXPECT_EQ(seen.subsystem, expected.subsystem);
  EXPECT_EQ(seen.bits, expected.arch);
  EXPECT_EQ(reader.Architecture(), expected.arch);

  std::int64_t lfanew = ReadLfanew(path);
  ASSERT_GE(lfanew, 64);
  const std::int64_t optionalHeaderSize = expected.arch == "x86" ? 224 : 240;
  EXPECT_EQ(reader.GetOffsetToCodeSection(), lfanew + 24 + optionalHeaderSize);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, GeneratedExecutablesTest, ::testing::ValuesIn(LoadFixtureCases()),
                         CaseName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(GeneratedExecutablesTest);

// Guards the table-driven test above against running over nothing.
TEST(GeneratedExecutablesTable, ListsEveryKindOfVerdictForBothArchitectures) {
  std::vector<FixtureCase> cases = LoadFixtureCases();
  for (const char* verdict : {"Yes", "No", "N/A"})
    EXPECT_TRUE(std::ranges::any_of(cases, [&](const FixtureCase& c) { return c.dpiAware == verdict; }))
        << verdict << " in " << fixtures::FixturePath("fixtures.tsv");
}

}  // namespace
