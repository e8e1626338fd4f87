#pragma once
#include <cstdio>
#include <istream>
#include <string>
#include <vector>

// `inspect PATH...`: one line per path, in order; "-" alone reads the paths from
// `input`, one a line. Returns the exit status: 0, or 1 when a path could not be loaded.
int RunInspect(const std::vector<std::string>& paths, std::istream& input, std::FILE* output);
