#include "inspect/DeclaresHighDpi.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "inspect/clsExeReader.h"
#include "platform/AsciiCase.h"

namespace {
// The index of the first entry named `name`, exactly, or -1.
std::ptrdiff_t Find(const std::vector<std::string>& strings, std::string_view name) {
  auto found = std::find(strings.begin(), strings.end(), name);
  return found == strings.end() ? -1 : found - strings.begin();
}

// Language entries preferred over the first one: English (US), then English (Australia).
std::size_t ChooseLanguage(const std::vector<std::string>& languages) {
  for (std::size_t i = 0; i < languages.size(); ++i)
    if (languages[i] == "1033" || languages[i] == "3081") return i;
  return 0;
}

bool IsAcceptedValue(std::string_view value) {
  static constexpr std::array<std::string_view, 4> kAccepted = {"true", "true/pm", "per monitor",
                                                                "explorer"};
  constexpr std::size_t kLongest = 11;  // "per monitor"
  if (value.size() > kLongest) return false;
  return std::find(kAccepted.begin(), kAccepted.end(), LowerCase(std::string(value))) !=
         kAccepted.end();
}
}  // namespace

bool ManifestDeclaresHighDpi(std::string_view manifest) {
  // Each try starts at the next "dpiAware" after the previous try's ">"; its value is
  // the text between the next ">" and the next "</". The "</" found by one try is
  // reused while it still lies ahead, so many tries before one "</" stay linear.
  std::size_t position = 0;
  std::size_t end = 0;
  bool haveEnd = false;
  while (true) {
    position = manifest.find("dpiAware", position);
    if (position == std::string_view::npos) return false;
    position = manifest.find('>', position);
    if (position == std::string_view::npos) return false;
    if (!haveEnd || end < position) {
      end = manifest.find("</", position);
      haveEnd = true;
    }
    if (end == std::string_view::npos) return false;
    if (IsAcceptedValue(manifest.substr(position + 1, end - position - 1))) return true;
  }
}

bool DeclaresHighDpi(clsExeReader& reader) {
  ResourceListing listing;
  return DeclaresHighDpi(reader, listing);
}

bool DeclaresHighDpi(clsExeReader& reader, ResourceListing& listing) {
  std::vector<std::string>& names = listing.names;
  std::vector<std::int32_t>& offsets = listing.offsets;

  reader.EnumResources(0, names, offsets);
  std::ptrdiff_t section = Find(names, ".rsrc");
  if (section < 0) return false;

  reader.EnumResources(offsets[section], names, offsets);
  std::ptrdiff_t manifestType = Find(names, "Manifest");
  if (manifestType < 0) return false;

  reader.EnumResources(offsets[manifestType], names, offsets);
  if (offsets.empty() || offsets.front() >= 0) return false;  // only the first manifest

  reader.EnumResources(offsets.front(), names, offsets);
  if (offsets.empty()) return false;
  return ManifestDeclaresHighDpi(reader.GetResourceData(offsets[ChooseLanguage(names)]));
}
