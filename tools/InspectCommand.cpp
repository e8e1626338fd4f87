#include "InspectCommand.h"

#include "PathArguments.h"
#include "catalogue/DpiAwareText.h"
#include "inspect/InspectExecutable.h"
#include "inspect/clsExeReader.h"

namespace {
// verdict TAB bits TAB subsystem TAB path, or error TAB number TAB description TAB path.
bool PrintInspection(clsExeReader& reader, const std::string& path, std::FILE* output) {
  ExeInspection result = InspectExecutable(reader, path);
  if (!result.loaded) {
    PrintLoadError(output, result.errorNumber, result.errorDescription, path);
    return false;
  }
  std::fprintf(output, "%s\t%s\t%ld\t%s\n", DpiAwareText(result.dpiAware), result.bits.c_str(),
               static_cast<long>(result.subsystem), path.c_str());
  return true;
}
}  // namespace

int RunInspect(const std::vector<std::string>& paths, std::istream& input, std::FILE* output) {
  clsExeReader reader;
  bool allLoaded = true;
  ForEachPath(paths, input, [&](const std::string& path) { allLoaded &= PrintInspection(reader, path, output); });
  return allLoaded ? 0 : 1;
}
