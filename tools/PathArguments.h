#pragma once
// The paths a command works on: its arguments, or, with "-" alone, the lines of
// `input` (CR LF or LF; empty lines skipped).
#include <cstdint>
#include <cstdio>
#include <functional>
#include <istream>
#include <string>
#include <vector>

void ForEachPath(const std::vector<std::string>& paths, std::istream& input,
                 const std::function<void(const std::string&)>& each);

// The line for a path that could not be loaded: error TAB number TAB description TAB path.
void PrintLoadError(std::FILE* output, std::int32_t number, const std::string& description,
                    const std::string& path);
