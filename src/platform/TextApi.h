#pragma once
// Text between the program and Windows. Windows takes and gives 8-bit text in its
// active code page (the "A" entry points): UTF-8 where the program's manifest is
// honoured (Windows 10 1903 and later), the system's ANSI code page before that. The
// program's own texts are written in UTF-8 and converted here at run time; paths are
// compared without regard to letter case by the system's case mapping of every
// character, through UTF-16. The native build's stand-in keeps the same rules for the
// code pages it knows (65001, 1252, 20127) and Unicode's simple case mapping.
#include <string>
#include <string_view>

namespace platform {

// The 8-bit code page of the "A" entry points (GetACP).
unsigned ActiveCodePage();

// The program's own text (UTF-8) in `codePage`, by default the active one. A character
// the code page cannot show becomes its plain form (a straight quote for a curly one,
// a hyphen for a dash), any other such character '?'.
std::string FromUtf8(std::string_view utf8, unsigned codePage = ActiveCodePage());

// Text in `codePage`, by default the active one, as UTF-8 for readers outside Windows
// (JSON output). Bytes that are not valid in the code page, and halves of UTF-16
// surrogate pairs without their partner, become U+FFFD.
std::string ToUtf8(std::string_view text, unsigned codePage = ActiveCodePage());

// A path in the active code page in lower or upper case, character by character. Text
// that is not valid in the code page changes in its ASCII letters only.
std::string LowerCasePath(std::string_view path);
std::string UpperCasePath(std::string_view path);

// True when two paths differ at most in letter case.
inline bool SamePath(std::string_view a, std::string_view b) {
  return LowerCasePath(a) == LowerCasePath(b);
}

namespace text {
// The plain form of a character that a code page cannot show: '"', '\'', '-' or '?'.
char PlainForm(char32_t c);
}  // namespace text

}  // namespace platform
