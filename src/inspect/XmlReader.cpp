#include "inspect/XmlReader.h"

#include <algorithm>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {
using namespace std::string_view_literals;
using Text = std::u32string_view;

enum class Encoding { Utf8, Utf16Le, Utf16Be };

constexpr Text kXmlNamespace = U"http://www.w3.org/XML/1998/namespace"sv;
constexpr Text kXmlnsNamespace = U"http://www.w3.org/2000/xmlns/"sv;

bool IsXmlChar(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

bool IsSpace(char32_t c) { return c == 0x20 || c == 0x9 || c == 0xD || c == 0xA; }

// The characters that may start a name (the colon apart: it separates the prefix).
bool IsNameStart(char32_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
         (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
         (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) ||
         (c >= 0x200C && c <= 0x200D) || (c >= 0x2070 && c <= 0x218F) ||
         (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
         (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0xEFFFF);
}

bool IsNameChar(char32_t c) {
  return IsNameStart(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
         (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

char32_t LowerAsciiChar(char32_t c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

bool StartsWithIgnoringCase(Text text, Text start) {
  return text.size() >= start.size() &&
         std::equal(start.begin(), start.end(), text.begin(),
                    [](char32_t a, char32_t b) { return LowerAsciiChar(a) == LowerAsciiChar(b); });
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF, no cut sequence.
bool DecodeUtf8(std::span<const std::uint8_t> bytes, std::u32string& out) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const std::uint8_t lead = bytes[i];
    std::size_t length = 1;
    char32_t c = lead;
    char32_t smallest = 0;
    if (lead >= 0x80) {
      if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, smallest = 0x80;
      } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, smallest = 0x800;
      } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, smallest = 0x10000;
      } else {
        return false;
      }
      if (bytes.size() - i < length) return false;
      for (std::size_t k = 1; k < length; ++k) {
        if ((bytes[i + k] & 0xC0) != 0x80) return false;
        c = (c << 6) | (bytes[i + k] & 0x3F);
      }
      if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    }
    out += c;
    i += length;
  }
  return true;
}

// UTF-16 with every surrogate paired.
bool DecodeUtf16(std::span<const std::uint8_t> bytes, bool bigEndian, std::u32string& out) {
  if (bytes.size() % 2 != 0) return false;
  const std::size_t units = bytes.size() / 2;
  auto unit = [&](std::size_t i) -> char32_t {
    return bigEndian ? char32_t(bytes[2 * i] << 8 | bytes[2 * i + 1])
                     : char32_t(bytes[2 * i] | bytes[2 * i + 1] << 8);
  };
  for (std::size_t i = 0; i < units; ++i) {
    char32_t c = unit(i);
    if (c >= 0xDC00 && c <= 0xDFFF) return false;
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 >= units) return false;
      const char32_t low = unit(++i);
      if (low < 0xDC00 || low > 0xDFFF) return false;
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
    }
    out += c;
  }
  return true;
}

// The document's characters, by its byte-order mark or, without one, by whether its
// first character "<" takes one byte or two. Nothing when a byte sequence is broken or
// a character is not allowed in XML.
std::optional<std::u32string> Decode(std::span<const std::uint8_t> bytes, Encoding& encoding) {
  auto startsWith = [&](std::initializer_list<std::uint8_t> start) {
    return bytes.size() >= start.size() && std::equal(start.begin(), start.end(), bytes.begin());
  };
  std::size_t skip = 0;
  encoding = Encoding::Utf8;
  if (startsWith({0xEF, 0xBB, 0xBF})) {
    skip = 3;
  } else if (startsWith({0xFF, 0xFE})) {
    encoding = Encoding::Utf16Le, skip = 2;
  } else if (startsWith({0xFE, 0xFF})) {
    encoding = Encoding::Utf16Be, skip = 2;
  } else if (startsWith({0x3C, 0x00})) {
    encoding = Encoding::Utf16Le;
  } else if (startsWith({0x00, 0x3C})) {
    encoding = Encoding::Utf16Be;
  }
  std::u32string text;
  const auto body = bytes.subspan(skip);
  text.reserve(encoding == Encoding::Utf8 ? body.size() : body.size() / 2);
  const bool decoded = encoding == Encoding::Utf8
                           ? DecodeUtf8(body, text)
                           : DecodeUtf16(body, encoding == Encoding::Utf16Be, text);
  if (!decoded || !std::all_of(text.begin(), text.end(), IsXmlChar)) return std::nullopt;
  return text;
}

class Parser {
 public:
  Parser(Text text, Encoding encoding, XmlHandler& handler)
      : s_(text), encoding_(encoding), handler_(handler) {}

  bool Document() {
    if (At(U"<?xml"sv) && s_.size() > 5 && IsSpace(s_[5]) && !XmlDeclaration()) return false;
    if (!Misc() || !At(U"<"sv) || !Root() || !Misc()) return false;
    return p_ == s_.size();
  }

 private:
  struct OpenElement {
    Text qname;
    std::size_t declarationMark;  // size of declared_ before this element's declarations
  };
  struct Attribute {
    Text qname;
    std::size_t valueStart, valueLength;  // in values_
  };

  bool At(Text literal) const { return s_.substr(p_, literal.size()) == literal; }
  bool Skip(Text literal) {
    if (!At(literal)) return false;
    p_ += literal.size();
    return true;
  }
  bool SkipSpace() {
    const std::size_t start = p_;
    while (p_ < s_.size() && IsSpace(s_[p_])) ++p_;
    return p_ > start;
  }
  bool Eq() {
    SkipSpace();
    if (!Skip(U"="sv)) return false;
    SkipSpace();
    return true;
  }

  // A name, colons included; empty when none starts here.
  Text Name() {
    const std::size_t start = p_;
    if (p_ < s_.size() && (IsNameStart(s_[p_]) || s_[p_] == ':')) {
      ++p_;
      while (p_ < s_.size() && (IsNameChar(s_[p_]) || s_[p_] == ':')) ++p_;
    }
    return s_.substr(start, p_ - start);
  }

  // A name as namespaces allow it: a local name, or prefix, colon, local name.
  static bool IsQualifiedName(Text name) {
    const std::size_t colon = name.find(':');
    if (colon == Text::npos) return !name.empty();
    const Text local = name.substr(colon + 1);
    return colon > 0 && !local.empty() && local.find(':') == Text::npos && IsNameStart(local[0]);
  }
  static Text Prefix(Text qname) {
    const std::size_t colon = qname.find(':');
    return colon == Text::npos ? Text{} : qname.substr(0, colon);
  }
  static Text LocalName(Text qname) { return qname.substr(qname.find(':') + 1); }

  // A quoted literal without references (the XML declaration's values).
  std::optional<Text> Quoted() {
    if (p_ >= s_.size() || (s_[p_] != '"' && s_[p_] != '\'')) return std::nullopt;
    const std::size_t end = s_.find(s_[p_], p_ + 1);
    if (end == Text::npos) return std::nullopt;
    const Text value = s_.substr(p_ + 1, end - p_ - 1);
    p_ = end + 1;
    return value;
  }

  bool XmlDeclaration() {
    p_ += 5;
    SkipSpace();
    if (!Skip(U"version"sv) || !Eq()) return false;
    const std::optional<Text> version = Quoted();
    if (!version || version->size() < 3 || version->substr(0, 2) != U"1."sv ||
        !std::all_of(version->begin() + 2, version->end(),
                     [](char32_t c) { return c >= '0' && c <= '9'; }))
      return false;
    bool space = SkipSpace();
    if (space && Skip(U"encoding"sv)) {
      if (!Eq()) return false;
      const std::optional<Text> name = Quoted();
      if (!name || !IsEncodingName(*name)) return false;
      // The declaration must tell the truth about the bytes.
      if (StartsWithIgnoringCase(*name, U"UTF-16"sv) != (encoding_ != Encoding::Utf8)) return false;
      space = SkipSpace();
    }
    if (space && Skip(U"standalone"sv)) {
      if (!Eq()) return false;
      const std::optional<Text> value = Quoted();
      if (!value || (*value != U"yes"sv && *value != U"no"sv)) return false;
      SkipSpace();
    }
    return Skip(U"?>"sv);
  }

  static bool IsEncodingName(Text name) {
    auto letter = [](char32_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    return !name.empty() && letter(name[0]) &&
           std::all_of(name.begin(), name.end(), [&](char32_t c) {
             return letter(c) || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
           });
  }

  // Comments, processing instructions and blanks outside the root element.
  bool Misc() {
    for (;;) {
      SkipSpace();
      if (At(U"<!--"sv)) {
        if (!Comment()) return false;
      } else if (At(U"<?"sv)) {
        if (!ProcessingInstruction()) return false;
      } else {
        return true;
      }
    }
  }

  bool Comment() {
    p_ += 4;
    const std::size_t dashes = s_.find(U"--"sv, p_);  // the first "--" must end the comment
    if (dashes == Text::npos || dashes + 2 >= s_.size() || s_[dashes + 2] != '>') return false;
    p_ = dashes + 3;
    return true;
  }

  bool ProcessingInstruction() {
    p_ += 2;
    const Text target = Name();
    if (target.empty() || target.find(':') != Text::npos) return false;
    if (target.size() == 3 && StartsWithIgnoringCase(target, U"xml"sv)) return false;
    if (Skip(U"?>"sv)) return true;
    if (!SkipSpace()) return false;
    const std::size_t end = s_.find(U"?>"sv, p_);
    if (end == Text::npos) return false;
    p_ = end + 2;
    return true;
  }

  bool CData() {
    p_ += 9;
    const std::size_t end = s_.find(U"]]>"sv, p_);
    if (end == Text::npos) return false;
    handler_.Text(s_.substr(p_, end - p_));
    p_ = end + 3;
    return true;
  }

  // A character or entity reference, at "&": the character it stands for.
  std::optional<char32_t> Reference() {
    ++p_;
    if (Skip(U"#"sv)) {
      const bool hex = Skip(U"x"sv);
      char32_t value = 0;
      std::size_t digits = 0;
      for (; p_ < s_.size(); ++p_, ++digits) {
        const char32_t c = LowerAsciiChar(s_[p_]);
        char32_t digit;
        if (c >= '0' && c <= '9')
          digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
          digit = c - 'a' + 10;
        else
          break;
        value = value * (hex ? 16 : 10) + digit;
        if (value > 0x10FFFF) return std::nullopt;
      }
      if (digits == 0 || !Skip(U";"sv) || !IsXmlChar(value)) return std::nullopt;
      return value;
    }
    const Text name = Name();
    if (!Skip(U";"sv)) return std::nullopt;
    if (name == U"lt"sv) return U'<';
    if (name == U"gt"sv) return U'>';
    if (name == U"amp"sv) return U'&';
    if (name == U"apos"sv) return U'\'';
    if (name == U"quot"sv) return U'"';
    return std::nullopt;  // no other entity exists without a document type
  }

  // An attribute's value, references resolved and line ends and tabs made blanks, at
  // the end of values_.
  bool AttributeValue() {
    if (p_ >= s_.size() || (s_[p_] != '"' && s_[p_] != '\'')) return false;
    const char32_t quote = s_[p_++];
    while (p_ < s_.size() && s_[p_] != quote) {
      const char32_t c = s_[p_];
      if (c == '<') return false;
      if (c == '&') {
        const std::optional<char32_t> referenced = Reference();
        if (!referenced) return false;
        values_ += *referenced;
        continue;
      }
      ++p_;
      if (c == 0xD && p_ < s_.size() && s_[p_] == 0xA) continue;  // CR LF is one blank
      values_ += IsSpace(c) ? U' ' : c;
    }
    return Skip(Text(&quote, 1));
  }

  std::optional<Text> Lookup(Text prefix) const {
    if (prefix == U"xml"sv) return kXmlNamespace;
    const auto found = bound_.find(prefix);
    if (found == bound_.end() || found->second.empty()) {
      if (prefix.empty()) return Text{};  // no default namespace declared: none
      return std::nullopt;
    }
    return Text(uris_[found->second.back()]);
  }

  bool Declare(Text prefix, Text uri) {
    if (prefix == U"xmlns"sv || uri == kXmlnsNamespace) return false;
    if ((prefix == U"xml"sv) != (uri == kXmlNamespace)) return false;
    if (!prefix.empty() && uri.empty()) return false;
    uris_.emplace_back(uri);
    bound_[prefix].push_back(uris_.size() - 1);
    declared_.push_back(prefix);
    return true;
  }

  // The attributes' names are unique, and so are the namespace and local name of the
  // prefixed ones (two prefixes may stand for one namespace); the namespace
  // declarations among them are taken into scope.
  bool TakeAttributes() {
    std::vector<Text> names;
    names.reserve(attributes_.size());
    for (const Attribute& attribute : attributes_) names.push_back(attribute.qname);
    std::sort(names.begin(), names.end());
    if (std::adjacent_find(names.begin(), names.end()) != names.end()) return false;

    for (const Attribute& attribute : attributes_) {
      const Text value = Text(values_).substr(attribute.valueStart, attribute.valueLength);
      if (attribute.qname == U"xmlns"sv) {
        if (!Declare(Text{}, value)) return false;
      } else if (Prefix(attribute.qname) == U"xmlns"sv) {
        if (!Declare(LocalName(attribute.qname), value)) return false;
      }
    }
    std::vector<std::pair<Text, Text>> expanded;
    for (const Attribute& attribute : attributes_) {
      const Text prefix = Prefix(attribute.qname);
      if (prefix.empty() || prefix == U"xmlns"sv) continue;
      const std::optional<Text> uri = Lookup(prefix);
      if (!uri) return false;
      expanded.emplace_back(*uri, LocalName(attribute.qname));
    }
    std::sort(expanded.begin(), expanded.end());
    return std::adjacent_find(expanded.begin(), expanded.end()) == expanded.end();
  }

  bool StartTag() {
    ++p_;
    const Text qname = Name();
    if (!IsQualifiedName(qname) || Prefix(qname) == U"xmlns"sv) return false;
    attributes_.clear();
    values_.clear();
    bool empty = false;
    for (;;) {
      const bool space = SkipSpace();
      if (Skip(U"/>"sv)) {
        empty = true;
        break;
      }
      if (Skip(U">"sv)) break;
      const Text name = space ? Name() : Text{};
      if (!IsQualifiedName(name) || !Eq()) return false;
      const std::size_t start = values_.size();
      if (!AttributeValue()) return false;
      attributes_.push_back({name, start, values_.size() - start});
    }
    open_.push_back({qname, declared_.size()});
    if (!TakeAttributes()) return false;
    const std::optional<Text> uri = Lookup(Prefix(qname));
    if (!uri) return false;
    handler_.StartElement(*uri, LocalName(qname));
    if (empty) Close();
    return true;
  }

  bool EndTag() {
    p_ += 2;
    const Text name = Name();
    SkipSpace();
    if (!Skip(U">"sv) || name != open_.back().qname) return false;
    Close();
    return true;
  }

  // Ends the innermost element and the scope of its namespace declarations.
  void Close() {
    while (declared_.size() > open_.back().declarationMark) {
      bound_[declared_.back()].pop_back();
      declared_.pop_back();
      uris_.pop_back();
    }
    open_.pop_back();
    handler_.EndElement();
  }

  bool CharData() {
    const std::size_t end = std::min(s_.find(U'<', p_), s_.find(U'&', p_));
    const Text run = s_.substr(p_, end - p_);
    if (run.find(U"]]>"sv) != Text::npos) return false;
    handler_.Text(run);
    p_ = std::min(end, s_.size());
    return true;
  }

  // The root element and everything in it, one piece of markup or text at a time.
  bool Root() {
    if (!StartTag()) return false;
    while (!open_.empty()) {
      bool ok;
      if (p_ >= s_.size()) {
        ok = false;  // the document ends inside an element
      } else if (At(U"</"sv)) {
        ok = EndTag();
      } else if (At(U"<!--"sv)) {
        ok = Comment();
      } else if (At(U"<![CDATA["sv)) {
        ok = CData();
      } else if (At(U"<?"sv)) {
        ok = ProcessingInstruction();
      } else if (At(U"<"sv)) {
        ok = StartTag();
      } else if (At(U"&"sv)) {
        const std::optional<char32_t> referenced = Reference();
        ok = referenced.has_value();
        if (ok) handler_.Text(Text(&*referenced, 1));
      } else {
        ok = CharData();
      }
      if (!ok) return false;
    }
    return true;
  }

  Text s_;
  std::size_t p_ = 0;
  Encoding encoding_;
  XmlHandler& handler_;
  std::vector<OpenElement> open_;
  std::vector<Attribute> attributes_;  // of the start tag being read
  std::u32string values_;              // their values, one after the other
  std::vector<std::u32string> uris_;   // namespaces declared and in scope, innermost last
  std::vector<Text> declared_;         // the prefix of each, "" for a default namespace
  std::unordered_map<Text, std::vector<std::size_t>> bound_;  // prefix: indices into uris_
};
}  // namespace

bool ReadXml(std::span<const std::uint8_t> bytes, XmlHandler& handler) {
  Encoding encoding;
  const std::optional<std::u32string> text = Decode(bytes, encoding);
  if (!text) return false;
  return Parser(*text, encoding, handler).Document();
}
