// The process contract's programs natively: entries of the stand-in's process table,
// listed while they run.
#include <vector>

#include "common/RunningProgram.h"
#include "platform/standin/ProcessTable.h"

namespace {
std::vector<platform::standin::ScriptedProcess> running;
}  // namespace

std::optional<RunningProgram> StartProgram(std::size_t pathLength) {
  static std::uint32_t lastId = 1000;
  std::string path = "C:\\Programs\\Tool.exe";
  if (pathLength > 0) path = "C:\\" + std::string(pathLength - 3 - 4, 'p') + ".exe";
  const std::uint32_t id = lastId += 4;
  running.push_back({id, path.substr(path.rfind('\\') + 1), path});
  platform::standin::SetProcesses(running);
  auto end = [id](void*) {
    std::erase_if(running, [id](const auto& process) { return process.id == id; });
    platform::standin::SetProcesses(running);
  };
  return RunningProgram{id, path, std::shared_ptr<void>(nullptr, end)};
}
