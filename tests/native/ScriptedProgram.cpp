// The process contract's programs natively: entries of the stand-in's process table,
// listed while they run.
#include <algorithm>
#include <vector>

#include "common/RunningProgram.h"
#include "platform/standin/ProcessTable.h"

namespace {
std::vector<platform::standin::ScriptedProcess> running;

class ScriptedProgram : public RunningProgram {
 public:
  ScriptedProgram(std::uint32_t id, std::string path) : id_(id), path_(std::move(path)) {
    running.push_back({id_, path_.substr(path_.rfind('\\') + 1), path_});
    platform::standin::SetProcesses(running);
  }
  ~ScriptedProgram() override {
    std::erase_if(running, [&](const auto& p) { return p.id == id_; });
    platform::standin::SetProcesses(running);
  }
  std::uint32_t Id() const override { return id_; }
  std::string ImagePath() const override { return path_; }

 private:
  std::uint32_t id_;
  std::string path_;
};
}  // namespace

std::unique_ptr<RunningProgram> StartProgram(std::size_t pathLength) {
  static std::uint32_t lastId = 1000;
  std::string path = "C:\\Programs\\Tool.exe";
  if (pathLength > 0) path = "C:\\" + std::string(pathLength - 3 - 4, 'p') + ".exe";
  return std::make_unique<ScriptedProgram>(lastId += 4, path);
}
