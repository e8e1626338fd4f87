#include "PathArguments.h"

void ForEachPath(const std::vector<std::string>& paths, std::istream& input,
                 const std::function<void(const std::string&)>& each) {
  if (paths.size() != 1 || paths.front() != "-") {
    for (const std::string& path : paths) each(path);
    return;
  }
  std::string line;
  while (std::getline(input, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) each(line);
  }
}

void PrintLoadError(std::FILE* output, std::int32_t number, const std::string& description,
                    const std::string& path) {
  std::fprintf(output, "error\t%ld\t%s\t%s\n", static_cast<long>(number), description.c_str(),
               path.c_str());
}
