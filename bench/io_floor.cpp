// The I/O floor of the reader's benchmark: for every path read from standard input,
// open the file, read its first 4 KB once, and close it. No executable can be judged
// with less work than this, so it is the yardstick for sharpwell-cli's time.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>

int main() {
  std::ios::sync_with_stdio(false);
  char buffer[4096];
  unsigned long long total = 0;
  unsigned long files = 0;
  std::string path;
  while (std::getline(std::cin, path)) {
    if (path.empty()) continue;
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) continue;
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got > 0) total += static_cast<unsigned long long>(got) + static_cast<unsigned char>(buffer[0]);
    ::close(fd);
    ++files;
  }
  std::printf("%lu files, %llu\n", files, total);
  return 0;
}
