// scan and export --recommended against Wine's registry: copies of the generated
// executables (and one text file) are named by the compatibility list and Explorer's
// recently-run list; the rows, the JSON and the exported file are read back.
#include "LayersCommands.h"
#include "ScanCommand.h"
#include "common/FixturePath.h"
#include "common/LayersState.h"
#include "common/TempFolder.h"
#include "compat/LayersKey.h"
#include "platform/TextApi.h"
#include "windows/SeededRegistry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
std::string Lower(const std::string& path) { return platform::LowerCasePath(path); }

// The output lines (or exported values) that name a file in `folder`, in order.
std::vector<std::string> LinesNaming(const std::string& text, const std::string& folder) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
    end = std::min(text.find('\n', start), text.size());
    const std::string line = text.substr(start, end - start);
    if (Lower(line).find(Lower(folder)) != std::string::npos) lines.push_back(line);
  }
  return lines;
}

class ScanUnderWineTest : public ::testing::Test {
 protected:
  // A copy of the 64-bit fixture `fixture` (or a text file) named `name` in the folder.
  std::string Place(const std::string& name, const std::string& fixture) {
    if (fixture.empty()) return folder_.Write(name, "not a program\r\n");
    const std::string path = folder_.Path() + "\\" + name;  // UTF-8 throughout
    EXPECT_TRUE(CopyFileA(fixtures::FixturePath("x64", fixture).c_str(), path.c_str(), TRUE));
    return path;
  }
  // Wine lists a key's values by name, so the names below sort in the order checked.
  void SetUp() override {
    listed_ = Place("Listed.exe", "dpi_false.exe");
    chosen_ = Place("Chosen.exe", "dpi_false.exe");
    recent_ = Place("R\xC3\xA9" "cent.exe", "dpi_false.exe");
    modern_ = Place("Modern.exe", "aw_pmv2_only.exe");
    notes_ = Place("Notes.txt", "");
    seeded_.AddLayer(listed_, "~ RUNASADMIN");
    seeded_.AddLayer(platform::UpperCasePath(chosen_), "DPIUNAWARE");
    for (const std::string& path : {recent_, modern_, notes_}) seeded_.AddRecent(path);
  }

  layers_state::Saved saved_;  // an empty list to start with, the old one put back after
  SeededRegistry seeded_;
  TempFolder folder_;
  std::string listed_, chosen_, recent_, modern_, notes_;
};

std::string RunCommand(int (*command)(const std::vector<std::string>&, std::FILE*, std::FILE*),
                const std::vector<std::string>& args, int& status) {
  std::FILE* output = std::tmpfile();
  status = command(args, output, stderr);
  return layers_state::ReadBack(output);
}
}  // namespace

TEST_F(ScanUnderWineTest, ListsEachSourceInDiscoveryOrderAsTextAndJson) {
  int status = -1;
  EXPECT_EQ(LinesNaming(RunCommand(RunScan, {}, status), folder_.Path()),
            (std::vector<std::string>{"No\tunaware\tx64\tDPIUNAWARE\t" + Lower(chosen_),
                                      "No\tunaware\tx64\t~ RUNASADMIN\t" + Lower(listed_),
                                      "N/A\tunaware\t\t\t" + Lower(notes_),
                                      "No\tunaware\tx64\t\t" + Lower(recent_),
                                      "No\tpermonitorv2\tx64\t\t" + Lower(modern_)}));
  EXPECT_EQ(status, 0);

  std::string escaped;
  for (const char c : Lower(recent_))
    escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
  const std::string json = RunCommand(RunScan, {"--json"}, status);
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(json.starts_with("[\n  {") && json.ends_with("}\n]\n")) << json;
  EXPECT_NE(json.find("{\"verdict\": \"No\", \"awareness\": \"unaware\", \"bits\": \"x64\", "
                      "\"flags\": \"\", \"path\": \"" + escaped + "\"}"),
            std::string::npos)
      << json;
}

TEST_F(ScanUnderWineTest, ExportRecommendedAddsHighDpiAwareToTheFileOnly) {
  const std::vector<std::string> before = layers_state::Stored();
  const std::string file = folder_.Path("recommended.reg");
  int status = -1;
  RunCommand(RunExport, {file, "--recommended"}, status);
  ASSERT_EQ(status, 0);
  EXPECT_EQ(layers_state::Stored(), before);

  const std::string bytes = folder_.Read("recommended.reg");
  const RegFileContents contents = ReadRegFile(
      std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), kLayersKeyName);
  ASSERT_EQ(contents.status, RegFileContents::Status::Ok);
  std::string values;
  for (const RegFileValue& value : contents.values)
    values += value.name + "=" + value.data.ToText() + "\n";
  EXPECT_EQ(LinesNaming(values, folder_.Path()),
            (std::vector<std::string>{platform::UpperCasePath(chosen_) + "=DPIUNAWARE",
                                      listed_ + "=~ RUNASADMIN HIGHDPIAWARE",
                                      platform::UpperCasePath(recent_) + "=HIGHDPIAWARE"}));
}
