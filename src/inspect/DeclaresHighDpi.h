#pragma once
// The DPI verdict: whether the executable loaded in a reader declares DPI awareness
// in its first embedded manifest. A plain text search for the dpiAware element, not
// an XML parse; everything but an accepted value gives false.
#include <string_view>

class clsExeReader;

bool DeclaresHighDpi(clsExeReader& reader);

// The search of the manifest text alone (the bytes of the manifest, one per character).
bool ManifestDeclaresHighDpi(std::string_view manifest);
