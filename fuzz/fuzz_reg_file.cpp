// libFuzzer target for the registry-file reader: each input is the bytes of one file.
#include <cstdint>
#include <span>

#include "compat/LayersKey.h"
#include "compat/RegFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ReadRegFile(std::span(data, size), kLayersKeyName);
  return 0;
}
