// libFuzzer target for the executable reader: each input becomes the contents of one
// file, which is loaded, walked through every resource directory it leads to, and
// judged for DPI awareness, as the catalogue does with a real program.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "inspect/DeclaresHighDpi.h"
#include "inspect/clsExeReader.h"
#include "platform/CurrentError.h"

namespace {
// The walk goes down at most the three levels below a resource section (type, name,
// language) and lists each directory once; these caps keep one input's work small
// even when every count in it claims 32767 entries.
constexpr int kLevels = 3;
constexpr std::size_t kMaxListings = 16;
constexpr std::size_t kMaxDataReads = 64;

class Walk {
 public:
  explicit Walk(clsExeReader& reader) : reader_(reader) {}

  void Sections() {
    std::vector<std::string> names;
    std::vector<std::int32_t> offsets;
    reader_.EnumResources(0, names, offsets);
    for (std::int32_t offset : offsets)
      if (offset < 0) Directory(offset, 1);
  }

 private:
  void Directory(std::int32_t offset, int level) {
    if (listed_.size() >= kMaxListings || !listed_.insert(offset).second) return;
    std::vector<std::string> names;
    std::vector<std::int32_t> offsets;
    reader_.EnumResources(offset, names, offsets);
    for (std::int32_t next : offsets) {
      if (next < 0 && level < kLevels)
        Directory(next, level + 1);
      else if (next >= 0 && read_.size() < kMaxDataReads && read_.insert(next).second)
        reader_.GetResourceData(next);
    }
  }

  clsExeReader& reader_;
  std::set<std::int32_t> listed_;
  std::set<std::int32_t> read_;
};

// One file per fuzzing process, rewritten for every input and removed at exit.
struct InputFile {
  std::string path;
  InputFile() {
    const char* tmp = std::getenv("TMPDIR");
    path = std::string(tmp && *tmp ? tmp : "/tmp") + "/sharpwell-fuzz-" +
           std::to_string(::getpid()) + ".exe";
  }
  ~InputFile() { ::unlink(path.c_str()); }
};

const std::string& InputPath() {
  static const InputFile file;
  return file.path;
}

void WriteInput(const std::uint8_t* data, std::size_t size) {
  int fd = ::open(InputPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) std::abort();
  while (size > 0) {
    ssize_t written = ::write(fd, data, size);
    if (written <= 0) std::abort();
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  ::close(fd);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WriteInput(data, size);
  clsExeReader reader;
  CurrentError::Clear();
  reader.LoadExe(InputPath());
  if (CurrentError::Number() != 0) std::abort();  // our own file must always open
  Walk(reader).Sections();
  DeclaresHighDpi(reader);
  reader.UnloadExe();
  return 0;
}
