#pragma once
// The text of one compatibility-list value: flag words separated by single blanks, in
// the order they were added ("HIGHDPIAWARE RUNASADMIN"). Flags are compared with exact
// case, and a flag counts as present wherever its text occurs, even inside another word.
#include <optional>
#include <string>

// The flags the window's commands set.
inline constexpr const char* kHighDpiAwareFlag = "HIGHDPIAWARE";
inline constexpr const char* kRunAsAdminFlag = "RUNASADMIN";

// True when `flag` occurs in `flags` (exact case, anywhere). An empty flag is always
// present.
bool FlagPresent(const std::string& flags, const std::string& flag);

// `flags` with `flag` appended after one blank (no blank in front when `flags` is empty
// or itself starts with a blank: the result never starts with one). Nothing when the
// flag is present already.
std::optional<std::string> AddFlagToText(const std::string& flags, const std::string& flag);

// `flags` with every occurrence of `flag` removed (left to right, not overlapping),
// then each run of two blanks made one in a single left-to-right pass (three blanks
// become two), then one trailing blank dropped. A leading blank stays. The text is
// tidied in this way even when the flag was absent.
std::string RemoveFlagFromText(const std::string& flags, const std::string& flag);
