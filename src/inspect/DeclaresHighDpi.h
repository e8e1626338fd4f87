#pragma once
// The DPI verdict: whether the executable loaded in a reader declares DPI awareness
// in its first embedded manifest. A plain text search for the dpiAware element, not
// an XML parse; everything but an accepted value gives false.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class clsExeReader;

// The two lists a walk of the resource tree is made with (EnumResources). A caller
// that judges many files may keep one and pass it each time, so that its storage is
// reused: a listing can hold thousands of entries. What it holds after a call means
// nothing.
struct ResourceListing {
  std::vector<std::string> names;
  std::vector<std::int32_t> offsets;
};

bool DeclaresHighDpi(clsExeReader& reader);
bool DeclaresHighDpi(clsExeReader& reader, ResourceListing& listing);

// The search of the manifest text alone (the bytes of the manifest, one per character).
bool ManifestDeclaresHighDpi(std::string_view manifest);
