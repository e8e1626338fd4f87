// libFuzzer target for the manifest reader: each input is the bytes of one manifest.
// The reader must finish on any of them without reading outside the input.
#include <cstdint>
#include <span>

#include "inspect/ManifestAwareness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ManifestAwareness(std::span(data, size));
  return 0;
}
