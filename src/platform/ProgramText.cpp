#include "platform/ProgramText.h"

std::string GetFileName(const std::string& path) {
  std::string::size_type slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

namespace {
char Rotate(char c) {
  if ((c >= 'a' && c <= 'm') || (c >= 'A' && c <= 'M')) return static_cast<char>(c + 13);
  if ((c >= 'n' && c <= 'z') || (c >= 'N' && c <= 'Z')) return static_cast<char>(c - 13);
  return c;
}
}  // namespace

std::string Rot13(const std::string& text) {
  std::string rotated = text;
  for (char& c : rotated) c = Rotate(c);
  return rotated;
}
