#pragma once
// A file held in memory for the native build's file calls. While a MemoryFile lives,
// CreateFileA opens its name (exactly as given) on its bytes, for reading only, and
// reads, seeks and size queries on that handle make no call to the host system.
// The fuzz target reads every input this way, thousands a second.
#include <cstdint>
#include <span>
#include <string>

namespace platform::standin {

class MemoryFile {
 public:
  // The bytes are not copied: they must outlive every handle opened on this file.
  // A second MemoryFile of the same name hides the first until it goes.
  MemoryFile(std::string name, std::span<const std::uint8_t> bytes);
  ~MemoryFile();
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  const std::string& Name() const { return name_; }

 private:
  std::string name_;
};

}  // namespace platform::standin
