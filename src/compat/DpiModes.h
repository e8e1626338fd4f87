#pragma once
// Windows' own DPI overrides of a program's Compatibility tab, as words of its Layers
// value: "application" HIGHDPIAWARE, "system" DPIUNAWARE, "system-enhanced"
// GDIDPISCALING DPIUNAWARE, and "none" for none of them.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The words of `mode`; nothing for a name that is no mode.
std::optional<std::vector<std::string>> DpiModeWords(std::string_view mode);

// True when `flags` holds any of the three DPI words, so that a DPI mode is chosen.
bool HasDpiMode(const std::string& flags);

// `flags` set to the mode made of `words`: the DPI words of the other modes removed and
// the missing ones of `words` added, by the window's text rules (CompatFlags.h).
std::string SetDpiMode(std::string flags, const std::vector<std::string>& words);
