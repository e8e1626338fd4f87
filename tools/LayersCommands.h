#pragma once
// The commands over the compatibility list (the Layers key). Each takes the arguments
// after its name, prints its result to `output` and what went wrong to `errors`, and
// returns the exit status: 0, 1 when the work could not be done (nothing changed then),
// 2 for a usage error.
#include <cstdio>
#include <string>
#include <vector>

// flags PATH [--mode MODE | --add WORD... | --remove WORD...]
int RunFlags(const std::vector<std::string>& args, std::FILE* output, std::FILE* errors);
// export FILE [--recommended]: the list, or with --recommended the list plus HIGHDPIAWARE
// for every program scan finds that needs it
int RunExport(const std::vector<std::string>& args, std::FILE* output, std::FILE* errors);
// import FILE
int RunImport(const std::vector<std::string>& args, std::FILE* output, std::FILE* errors);
// backups
int RunBackups(const std::vector<std::string>& args, std::FILE* output, std::FILE* errors);
