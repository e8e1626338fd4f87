#include "platform/TextApi.h"

#include <clocale>
#include <cwctype>
#include <locale.h>

#include <array>
#include <optional>

#include "platform/AsciiCase.h"
#include "platform/standin/CodePage.h"

namespace platform {
namespace {
unsigned activeCodePage = 65001;

// Windows-1252 at 0x80-0x9F (the rest is Latin-1); the unassigned bytes map to the
// control characters of the same number, as Windows maps them.
constexpr std::array<char32_t, 32> kWindows1252{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The next character of `text` at `pos` in `codePage`, advancing `pos`; nothing when
// the bytes are not valid there.
std::optional<char32_t> Decode(std::string_view text, std::size_t& pos, unsigned codePage) {
  const auto byte = static_cast<unsigned char>(text[pos++]);
  if (byte < 0x80) return byte;
  if (codePage == 1252) return byte < 0xA0 ? kWindows1252[byte - 0x80] : char32_t{byte};
  if (codePage != 65001 || byte < 0xC2 || byte > 0xF4) return std::nullopt;
  const int more = byte < 0xE0 ? 1 : byte < 0xF0 ? 2 : 3;
  char32_t c = byte & (0x3F >> more);
  for (int i = 0; i < more; ++i) {
    if (pos >= text.size() || (static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80)
      return std::nullopt;
    c = (c << 6) | (static_cast<unsigned char>(text[pos++]) & 0x3F);
  }
  const char32_t least[] = {0, 0x80, 0x800, 0x10000};
  if (c < least[more] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return std::nullopt;
  return c;
}

// Appends `c` in `codePage`; false when the code page cannot show it.
bool Encode(char32_t c, unsigned codePage, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
    return true;
  }
  if (codePage == 65001) {
    const int more = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    const unsigned char lead[] = {0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(lead[more] | (c >> (6 * more)));
    for (int i = more - 1; i >= 0; --i) out += static_cast<char>(0x80 | ((c >> (6 * i)) & 0x3F));
    return true;
  }
  if (codePage != 1252) return false;
  if (c >= 0xA0 && c <= 0xFF) {
    out += static_cast<char>(c);
    return true;
  }
  for (std::size_t i = 0; i < kWindows1252.size(); ++i)
    if (kWindows1252[i] == c) {
      out += static_cast<char>(0x80 + i);
      return true;
    }
  return false;
}

// Unicode's simple case mapping, as the C library's UTF-8 locale has it.
char32_t MapCase(char32_t c, bool upper) {
  static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  if (!unicode) {  // no such locale: ASCII letters only
    if (c >= 0x80) return c;
    return static_cast<unsigned char>(upper ? UpperCase(std::string(1, char(c)))[0] : LowerAscii(char(c)));
  }
  const auto wide = static_cast<wint_t>(c);
  return static_cast<char32_t>(upper ? towupper_l(wide, unicode) : towlower_l(wide, unicode));
}

std::string ChangeCase(std::string_view path, bool upper) {
  std::string out;
  for (std::size_t pos = 0; pos < path.size();) {
    const std::size_t start = pos;
    std::optional<char32_t> c = Decode(path, pos, activeCodePage);
    if (!c) return upper ? UpperCase(std::string(path)) : LowerCase(std::string(path));
    // A character whose other case the code page lacks keeps its own.
    if (!Encode(MapCase(*c, upper), activeCodePage, out)) out.append(path.substr(start, pos - start));
  }
  return out;
}
}  // namespace

void standin::SetActiveCodePage(unsigned codePage) { activeCodePage = codePage; }

unsigned ActiveCodePage() { return activeCodePage; }

std::string FromUtf8(std::string_view utf8, unsigned codePage) {
  std::string out;
  for (std::size_t pos = 0; pos < utf8.size();) {
    std::optional<char32_t> c = Decode(utf8, pos, 65001);
    if (!c) return std::string(utf8);
    if (!Encode(*c, codePage, out)) out += text::PlainForm(*c);
  }
  return out;
}

std::string ToUtf8(std::string_view text, unsigned codePage) {
  constexpr char32_t kReplacement = 0xFFFD;
  std::string out;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    std::optional<char32_t> c = Decode(text, pos, codePage);
    if (!c) pos = start + 1;  // one invalid byte, one replacement character
    Encode(c.value_or(kReplacement), 65001, out);
  }
  return out;
}

std::string LowerCasePath(std::string_view path) { return ChangeCase(path, false); }
std::string UpperCasePath(std::string_view path) { return ChangeCase(path, true); }

}  // namespace platform
