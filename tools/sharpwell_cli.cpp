// sharpwell-cli: the program's decisions from the command line.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "AwarenessCommand.h"
#include "InspectCommand.h"
#include "LayersCommands.h"
#include "ScanCommand.h"

namespace {
constexpr int kUsageError = 2;

int Usage() {
  std::fputs(
      "usage: sharpwell-cli inspect PATH...     (or: inspect -   for paths on standard input)\n"
      "       sharpwell-cli awareness PATH...   (or: awareness -)\n"
      "       sharpwell-cli flags PATH [--mode application|system|system-enhanced|none\n"
      "                                 | --add WORD... | --remove WORD...]\n"
      "       sharpwell-cli scan [--json]\n"
      "       sharpwell-cli export FILE [--recommended]\n"
      "       sharpwell-cli import FILE\n"
      "       sharpwell-cli backups\n"
      "inspect prints, per path: DPI aware (Yes/No/N/A) TAB bits TAB subsystem TAB path;\n"
      "awareness: unaware/system/permonitor/permonitorv2/invalid TAB deciding element TAB path;\n"
      "either gives error TAB number TAB description TAB path for a file it cannot load.\n"
      "scan: DPI aware TAB awareness TAB bits TAB flags TAB path, per program the window finds;\n"
      "scan, flags, export, import and backups read the registry (Windows only).\n",
      stderr);
  return kUsageError;
}

using RegistryCommand = int (*)(const std::vector<std::string>&, std::FILE*, std::FILE*);

RegistryCommand FindRegistryCommand(const std::string& name) {
  if (name == "scan") return RunScan;
  if (name == "flags") return RunFlags;
  if (name == "export") return RunExport;
  if (name == "import") return RunImport;
  if (name == "backups") return RunBackups;
  return nullptr;
}
}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  const std::string command = args.front();
  args.erase(args.begin());
  std::ios::sync_with_stdio(false);

  if (command == "inspect" || command == "awareness") {
    if (args.empty()) return Usage();
    return command == "inspect" ? RunInspect(args, std::cin, stdout) : RunAwareness(args, std::cin, stdout);
  }
  if (RegistryCommand run = FindRegistryCommand(command)) {
#ifdef _WIN32
    return run(args, stdout, stderr);
#else
    (void)run;
    std::fprintf(stderr, "sharpwell-cli: %s works on the Windows registry: use the Windows build\n",
                 command.c_str());
    return kUsageError;
#endif
  }
  return Usage();
}
