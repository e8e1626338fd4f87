// The process contract's programs under Wine: this test program itself, or a copy of it,
// started suspended (they need not run to be listed and named), ended when the test ends.
#include "common/RunningProgram.h"
#include "common/TempFolder.h"

#include "windows/WineSession.h"

namespace {
// This program copied into `folder` to a path of `length` characters: folders of 100
// characters until the rest fits one file name; "" when the copy fails.
std::string CopyOfThisProgram(const TempFolder& folder, std::size_t length) {
  std::string path = folder.Path();
  while (path.size() + 1 + 100 + 10 < length) path += "\\" + std::string(100, 'd');
  std::error_code ignored;
  std::filesystem::create_directories(path, ignored);
  path += "\\" + std::string(length - path.size() - 5, 'p') + ".exe";
  return CopyFileA(OwnModulePath().fullPath.c_str(), path.c_str(), FALSE) ? path : "";
}

struct ChildProgram {
  TempFolder folder;  // removed after the program has ended
  std::string path;
  std::optional<wine_session::Child> child;
};
}  // namespace

std::optional<RunningProgram> StartProgram(std::size_t pathLength) {
  auto program = std::make_shared<ChildProgram>();
  program->path = pathLength > 0 ? CopyOfThisProgram(program->folder, pathLength) : OwnModulePath().fullPath;
  if (!program->path.empty())
    program->child.emplace(wine_session::Quoted(program->path), "", CREATE_SUSPENDED | CREATE_NO_WINDOW);
  if (!program->child || program->child->Id() == 0) return std::nullopt;
  return RunningProgram{program->child->Id(), program->path, program};
}
