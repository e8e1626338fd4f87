#include "compat/DpiModes.h"

#include <algorithm>
#include <array>

#include "compat/CompatFlags.h"

namespace {
constexpr std::array<const char*, 3> kDpiWords = {"HIGHDPIAWARE", "DPIUNAWARE", "GDIDPISCALING"};
}

std::optional<std::vector<std::string>> DpiModeWords(std::string_view mode) {
  if (mode == "application") return std::vector<std::string>{"HIGHDPIAWARE"};
  if (mode == "system") return std::vector<std::string>{"DPIUNAWARE"};
  if (mode == "system-enhanced") return std::vector<std::string>{"GDIDPISCALING", "DPIUNAWARE"};
  if (mode == "none") return std::vector<std::string>{};
  return std::nullopt;
}

bool HasDpiMode(const std::string& flags) {
  return std::any_of(kDpiWords.begin(), kDpiWords.end(),
                     [&](const char* word) { return FlagPresent(flags, word); });
}

std::string SetDpiMode(std::string flags, const std::vector<std::string>& words) {
  for (const char* word : kDpiWords)
    if (std::find(words.begin(), words.end(), word) == words.end() && FlagPresent(flags, word))
      flags = RemoveFlagFromText(flags, word);
  for (const std::string& word : words)
    if (std::optional<std::string> added = AddFlagToText(flags, word)) flags = *added;
  return flags;
}
