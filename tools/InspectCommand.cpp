#include "InspectCommand.h"

#include "inspect/InspectExecutable.h"
#include "inspect/clsExeReader.h"

namespace {
// verdict TAB bits TAB subsystem TAB path, or error TAB number TAB description TAB path.
bool PrintInspection(clsExeReader& reader, const std::string& path, std::FILE* output) {
  ExeInspection result = InspectExecutable(reader, path);
  if (!result.loaded) {
    std::fprintf(output, "error\t%ld\t%s\t%s\n", static_cast<long>(result.errorNumber),
                 result.errorDescription.c_str(), path.c_str());
    return false;
  }
  std::fprintf(output, "%s\t%s\t%ld\t%s\n", result.dpiAware.c_str(), result.bits.c_str(),
               static_cast<long>(result.subsystem), path.c_str());
  return true;
}
}  // namespace

int RunInspect(const std::vector<std::string>& paths, std::istream& input, std::FILE* output) {
  clsExeReader reader;
  bool allLoaded = true;
  if (paths.size() == 1 && paths.front() == "-") {
    std::string line;
    while (std::getline(input, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty()) continue;
      allLoaded &= PrintInspection(reader, line, output);
    }
  } else {
    for (const std::string& path : paths) allLoaded &= PrintInspection(reader, path, output);
  }
  return allLoaded ? 0 : 1;
}
