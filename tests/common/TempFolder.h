#pragma once
// A fresh folder under the system's temporary folder for one test, removed with
// everything in it when the test ends. Paths come out in the build's own form.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

class TempFolder {
 public:
  TempFolder() { std::filesystem::create_directories(root_); }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path(const std::string& name = "") const {
    return name.empty() ? root_.string() : (root_ / name).string();
  }
  // Writes `bytes` as the whole content of `name` and returns its path.
  std::string Write(const std::string& name, std::string_view bytes) const {
    std::ofstream(root_ / name, std::ios::binary).write(bytes.data(), std::ssize(bytes));
    return Path(name);
  }
  std::string Read(const std::string& name) const {
    std::ifstream file(root_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

 private:
  const std::filesystem::path root_ = std::filesystem::temp_directory_path() /
      ("sharpwell-test-" + std::to_string(std::mt19937_64(std::random_device()())()));
};
