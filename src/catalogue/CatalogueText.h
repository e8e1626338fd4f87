#pragma once
// Letter case of paths: rows are keyed by the lower-case path, registry values are
// named by the upper-case path. Only ASCII letters change, as in the system's
// comparison of 8-bit paths.
#include <string>

std::string LowerCase(std::string text);
std::string UpperCase(std::string text);

inline constexpr const char* kHighDpiAwareFlag = "HIGHDPIAWARE";
inline constexpr const char* kRunAsAdminFlag = "RUNASADMIN";
