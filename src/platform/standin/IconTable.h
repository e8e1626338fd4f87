#pragma once
// The native build's icons: a table that tests script. ExtractSmallIcon finds an icon
// by file path (letter case ignored, as on Windows) and index; RenderIcon paints it as
// one solid colour.
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::standin {

// Gives the file at `path` an icon at `index` whose pixels are all `bgra`.
void SetIcon(const std::string& path, int index, std::uint32_t bgra);

// Removes every scripted icon. Icons already extracted stay valid.
void ResetIconTable();

// Extracted icons not yet destroyed.
std::size_t OpenIconCount();

}  // namespace platform::standin
