#include "compat/CompatFlags.h"

namespace {
// Every occurrence of `find` in `text` replaced by `with`, in one left-to-right pass:
// replaced text is not searched again. An empty `find` changes nothing.
std::string ReplaceAll(const std::string& text, const std::string& find, const std::string& with) {
  if (find.empty()) return text;
  std::string result;
  std::string::size_type from = 0;
  for (auto at = text.find(find); at != std::string::npos; at = text.find(find, from)) {
    result.append(text, from, at - from).append(with);
    from = at + find.size();
  }
  return result.append(text, from, std::string::npos);
}
}  // namespace

bool FlagPresent(const std::string& flags, const std::string& flag) {
  return flags.find(flag) != std::string::npos;
}

std::optional<std::string> AddFlagToText(const std::string& flags, const std::string& flag) {
  if (FlagPresent(flags, flag)) return std::nullopt;
  std::string added = flags + " " + flag;
  if (added.front() == ' ') added.erase(0, 1);
  return added;
}

std::string RemoveFlagFromText(const std::string& flags, const std::string& flag) {
  std::string text = ReplaceAll(ReplaceAll(flags, flag, ""), "  ", " ");
  if (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}
