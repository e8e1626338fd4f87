#pragma once
// What the program knows of its own executable.
#include <string>

struct ModulePath {
  std::string fullPath;  // as the system reports it
  std::string folder;    // without a trailing backslash, except a drive root
  std::string baseName;  // file name without ".exe"
};

ModulePath OwnModulePath();

// The product name of the executable's version record; "Sharpwell" when it has none.
std::string ReadProductName(const std::string& executable);
