#include "AwarenessCommand.h"

#include "PathArguments.h"
#include "inspect/ManifestAwareness.h"
#include "inspect/clsExeReader.h"

int RunAwareness(const std::vector<std::string>& paths, std::istream& input, std::FILE* output) {
  clsExeReader reader;
  bool allLoaded = true;
  ForEachPath(paths, input, [&](const std::string& path) {
    const ExeAwareness result = InspectAwareness(reader, path);
    if (!result.loaded) {
      PrintLoadError(output, result.errorNumber, result.errorDescription, path);
      allLoaded = false;
      return;
    }
    std::fprintf(output, "%s\t%s\t%s\n", AwarenessText(result.verdict.awareness),
                 AwarenessSourceText(result.verdict.source), path.c_str());
  });
  return allLoaded ? 0 : 1;
}
