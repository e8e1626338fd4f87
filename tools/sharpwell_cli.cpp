// sharpwell-cli: the program's decisions from the command line.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "InspectCommand.h"

namespace {
constexpr int kUsageError = 2;

int Usage() {
  std::fputs(
      "usage: sharpwell-cli inspect PATH...\n"
      "       sharpwell-cli inspect -      (paths from standard input, one a line)\n"
      "Prints, per path: DPI aware (Yes/No/N/A) TAB bits TAB subsystem TAB path,\n"
      "or: error TAB number TAB description TAB path.\n",
      stderr);
  return kUsageError;
}
}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() < 2 || args.front() != "inspect") return Usage();
  args.erase(args.begin());
  std::ios::sync_with_stdio(false);
  return RunInspect(args, std::cin, stdout);
}
