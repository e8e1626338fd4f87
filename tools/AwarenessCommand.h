#pragma once
#include <cstdio>
#include <istream>
#include <string>
#include <vector>

// `awareness PATH...`: per path, in order, AWARENESS TAB SOURCE TAB PATH, the awareness
// Windows gives the program from its manifest; "-" alone reads the paths from `input`.
// A path that cannot be loaded gives inspect's error line. Returns the exit status: 0,
// or 1 when a path could not be loaded.
int RunAwareness(const std::vector<std::string>& paths, std::istream& input, std::FILE* output);
