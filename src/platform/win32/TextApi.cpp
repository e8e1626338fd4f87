#include "platform/TextApi.h"
#include "platform/AsciiCase.h"

#include <windows.h>

namespace platform {
namespace {
// `text` in UTF-16; false when it is not valid in `codePage`. With `flags` 0 instead,
// each invalid byte sequence becomes U+FFFD and the conversion always succeeds.
bool Widen(std::string_view text, UINT codePage, std::wstring& wide,
           DWORD flags = MB_ERR_INVALID_CHARS) {
  wide.clear();
  if (text.empty()) return true;
  const int length = static_cast<int>(text.size());
  int units = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
  if (units <= 0) return false;
  wide.resize(static_cast<std::size_t>(units));
  return MultiByteToWideChar(codePage, flags, text.data(), length, wide.data(), units) == units;
}

// Appends `wide` in `codePage`; false, with nothing appended, when the code page
// cannot show all of it.
bool AppendNarrow(std::wstring_view wide, UINT codePage, std::string& out) {
  if (wide.empty()) return true;
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int units = static_cast<int>(wide.size());
  BOOL usedDefault = FALSE;
  BOOL* lossy = utf8 ? nullptr : &usedDefault;
  int length = WideCharToMultiByte(codePage, flags, wide.data(), units, nullptr, 0, nullptr, lossy);
  if (length <= 0 || usedDefault) return false;
  const std::size_t start = out.size();
  out.resize(start + static_cast<std::size_t>(length));
  WideCharToMultiByte(codePage, flags, wide.data(), units, out.data() + start, length, nullptr, lossy);
  return true;
}

// Each character (one or two UTF-16 units) of `wide` in `codePage`; one the code page
// cannot show becomes `replace(i)`'s text.
template <typename Replace>
std::string Narrow(std::wstring_view wide, UINT codePage, Replace replace) {
  std::string out;
  if (AppendNarrow(wide, codePage, out)) return out;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const std::size_t units = IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size() ? 2 : 1;
    if (!AppendNarrow(wide.substr(i, units), codePage, out)) out += replace(i, units);
    i += units - 1;
  }
  return out;
}

std::string ChangeCase(std::string_view path, DWORD mapping) {
  std::wstring wide;
  if (!Widen(path, CP_ACP, wide))
    return mapping == LCMAP_LOWERCASE ? LowerCase(std::string(path)) : UpperCase(std::string(path));
  std::wstring mapped = wide;
  const int units = static_cast<int>(wide.size());
  if (units > 0) LCMapStringW(LOCALE_INVARIANT, mapping, wide.data(), units, mapped.data(), units);
  // A character whose other case the code page lacks keeps its own.
  return Narrow(mapped, CP_ACP, [&](std::size_t i, std::size_t n) {
    std::string own;
    AppendNarrow(std::wstring_view(wide).substr(i, n), CP_ACP, own);
    return own;
  });
}
}  // namespace

unsigned ActiveCodePage() { return GetACP(); }

std::string FromUtf8(std::string_view utf8, unsigned codePage) {
  std::wstring wide;
  if (!Widen(utf8, CP_UTF8, wide)) return std::string(utf8);
  return Narrow(wide, codePage, [&](std::size_t i, std::size_t n) {
    return std::string(1, text::PlainForm(n == 1 ? wide[i] : U'\xFFFD'));
  });
}

std::string ToUtf8(std::string_view text, unsigned codePage) {
  // The UTF-8 conversion turns unpaired surrogates into U+FFFD as well.
  std::string out;
  std::wstring wide;
  if (Widen(text, codePage, wide, 0)) AppendNarrow(wide, CP_UTF8, out);
  return out;
}

std::string LowerCasePath(std::string_view path) { return ChangeCase(path, LCMAP_LOWERCASE); }
std::string UpperCasePath(std::string_view path) { return ChangeCase(path, LCMAP_UPPERCASE); }

}  // namespace platform
