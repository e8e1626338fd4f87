#include "platform/TextApi.h"

namespace platform::text {
char PlainForm(char32_t c) {
  switch (c) {
    case U'\x2018': case U'\x2019': case U'\x201A': case U'\x2032': return '\'';
    case U'\x201C': case U'\x201D': case U'\x201E': case U'\x2033': return '"';
    case U'\x2013': case U'\x2014': return '-';
    default: return '?';
  }
}
}  // namespace platform::text
