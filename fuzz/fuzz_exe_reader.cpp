// libFuzzer target for the executable reader: each input is the contents of one file,
// held in memory. It is loaded and asked what the catalogue asks of a program (bits,
// subsystem, DPI verdict) and what the awareness command asks (the manifest read as
// XML), then walked through every resource directory it leads to.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "inspect/DeclaresHighDpi.h"
#include "inspect/ManifestAwareness.h"
#include "inspect/clsExeReader.h"
#include "platform/CurrentError.h"
#include "platform/standin/MemoryFile.h"

namespace {
// The walk goes down at most the three levels below a resource section (type, name,
// language) and lists each directory once; these caps keep one input's work small
// even when its directories point at each other or at thousands of subdirectories.
constexpr int kLevels = 3;
constexpr std::size_t kMaxListings = 16;
constexpr std::size_t kMaxDataReads = 64;

class Walk {
 public:
  // Lists the sections, then every resource directory they lead to, and reads every
  // resource data entry found on the way.
  void Run(clsExeReader& reader) {
    reader_ = &reader;
    List(0, 0);
    for (ResourceListing& listing : listings_) Empty(listing);
    listed_.clear();
    read_.clear();
  }

  // Frees the names but keeps the room of both lists.
  static void Empty(ResourceListing& listing) {
    listing.names.clear();
    listing.offsets.clear();
  }

 private:
  // Level 0 is the section listing, levels 1 to 3 the resource directories.
  void List(std::int32_t offset, int level) {
    if (level > 0 && (listed_.size() >= kMaxListings || !listed_.insert(offset).second)) return;
    ResourceListing& listing = listings_[level];
    reader_->EnumResources(offset, listing.names, listing.offsets);
    for (std::int32_t next : listing.offsets) {
      if (next < 0 && level < kLevels)
        List(next, level + 1);
      else if (next >= 0 && level > 0 && read_.size() < kMaxDataReads && read_.insert(next).second)
        reader_->GetResourceData(next);
    }
  }

  // One listing per level, kept from one input to the next so that their storage is
  // not allocated anew for every input.
  std::array<ResourceListing, kLevels + 1> listings_;
  clsExeReader* reader_ = nullptr;
  std::set<std::int32_t> listed_;
  std::set<std::int32_t> read_;
};

// Each input is a file held in memory under this name, so reading it costs no system call.
constexpr const char* kInputName = "C:\\fuzz\\input.exe";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Kept from one input to the next, emptied after each: an input that seems to keep
  // memory makes libFuzzer look for a leak.
  static Walk walk;
  static ResourceListing verdictListing;

  const platform::standin::MemoryFile input(kInputName, {data, size});
  clsExeReader reader;  // closes its file before the input goes
  CurrentError::Clear();
  reader.LoadExe(input.Name());
  if (CurrentError::Number() != 0) std::abort();  // the input must always open
  // What the catalogue asks of a program, one call per question, then the whole tree.
  reader.Architecture();
  reader.Subsystem();
  DeclaresHighDpi(reader, verdictListing);
  Walk::Empty(verdictListing);
  ExecutableAwareness(reader);  // the manifest read as XML, as Windows reads it
  walk.Run(reader);
  reader.UnloadExe();
  return 0;
}
