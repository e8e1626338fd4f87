#pragma once
// The exit status of a command and its message on `errors`: 1 when the work could not
// be done, 2 for a usage error.
#include <cstdio>
#include <string>

inline constexpr int kCommandFailed = 1;
inline constexpr int kCommandUsageError = 2;

inline int UsageError(std::FILE* errors, const std::string& problem) {
  std::fprintf(errors, "sharpwell-cli: %s\n", problem.c_str());
  return kCommandUsageError;
}

inline int CommandFailed(std::FILE* errors, const std::string& problem) {
  std::fprintf(errors, "sharpwell-cli: %s\n", problem.c_str());
  return kCommandFailed;
}
