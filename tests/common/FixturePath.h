#pragma once
// Paths of the test executables made at build time, in the form the build's file
// calls take: host paths natively, Windows paths (drive Z:) under Wine.
#include <string>

namespace fixtures {

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

// The fixtures' folder for the architecture this test program was built for.
inline constexpr const char* kOwnArch = sizeof(void*) == 8 ? "x64" : "x86";

// FixturePath("x86", "dpi_false.exe"), or FixturePath("fixtures.tsv").
inline std::string FixturePath(const std::string& first, const std::string& second = "") {
  std::string path = std::string(SHARPWELL_FIXTURE_DIR) + kSeparator + first;
  if (!second.empty()) path += kSeparator + second;
  return path;
}

}  // namespace fixtures
