#include "compat/RegFile.h"

#include <cstdio>
#include <optional>

#include "inspect/Utf16.h"
#include "platform/AsciiCase.h"

namespace {
constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kByteOrderMark = "\xFF\xFE";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// ---- writing

// One code point of UTF-8 text and its length; a byte that starts no valid sequence
// stands for itself as U+FFFD.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
  constexpr char32_t kReplacement = 0xFFFD;
  const auto lead = static_cast<unsigned char>(text[i++]);
  const std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                                          : (lead & 0xF8) == 0xF0 ? 4 : 0;
  if (length == 0 || text.size() - i < length - 1) return kReplacement;
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t k = 0; k + 1 < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return kReplacement;
    c = (c << 6) | (next & 0x3F);
  }
  i += length - 1;
  return c;
}

std::string Utf16Le(std::string_view text) {
  std::string bytes;
  bytes.reserve(2 * text.size());
  auto unit = [&](char32_t u) {
    bytes += static_cast<char>(u & 0xFF);
    bytes += static_cast<char>(u >> 8);
  };
  for (std::size_t i = 0; i < text.size();) {
    const char32_t c = NextCodePoint(text, i);
    if (c >= 0x10000) {
      unit(0xD800 + ((c - 0x10000) >> 10));
      unit(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      unit(c);
    }
  }
  return bytes;
}

std::string Quote(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

bool FitsInString(std::string_view text) { return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos; }

// ---- reading

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The file as UTF-8 text: UTF-16LE after its byte-order mark, otherwise UTF-8 with or
// without one.
std::string FileText(std::span<const std::uint8_t> bytes) {
  const std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (raw.starts_with(kByteOrderMark)) return Utf16LeToText(bytes.subspan(2));
  if (raw.starts_with(kUtf8ByteOrderMark)) return std::string(raw.substr(3));
  return std::string(raw);
}

// A key named in a file, compared with `keyName`: the root may be abbreviated.
bool SameKey(std::string_view named, std::string_view keyName) {
  constexpr std::string_view kShortRoot = "HKCU\\", kLongRoot = "HKEY_CURRENT_USER\\";
  std::string full(named);
  if (EqualsIgnoringCase(named.substr(0, kShortRoot.size()), kShortRoot))
    full = std::string(kLongRoot) + std::string(named.substr(kShortRoot.size()));
  return EqualsIgnoringCase(full, keyName);
}

class Reader {
 public:
  Reader(std::string_view keyName) : keyName_(keyName) {}

  RegFileContents Read(std::string_view text) {
    std::size_t start = 0;
    for (std::size_t number = 1; start <= text.size() && result_.status == RegFileContents::Status::Ok;
         ++number) {
      std::size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(start, end - start);
      if (line.ends_with('\r')) line.remove_suffix(1);
      line_ = number;
      if (number == 1) {
        if (Trim(line) != kHeader) Fail("the first line is not \"" + std::string(kHeader) + "\"");
      } else {
        Line(Trim(line));
      }
      start = end + 1;
    }
    return std::move(result_);
  }

 private:
  void Fail(std::string problem, RegFileContents::Status status = RegFileContents::Status::Malformed) {
    result_.status = status;
    result_.line = line_;
    result_.problem = std::move(problem);
    result_.values.clear();
  }

  void Line(std::string_view line) {
    if (line.empty() || line.front() == ';') return;
    if (line.front() == '[') return KeyLine(line);
    if (!inKey_) return Fail("a value comes before any key");
    ValueLine(line);
  }

  void KeyLine(std::string_view line) {
    if (line.back() != ']' || line.size() < 3) return Fail("a key line does not end with \"]\"");
    std::string_view key = line.substr(1, line.size() - 2);
    const bool deletion = key.front() == '-';
    if (deletion) key.remove_prefix(1);
    if (!SameKey(key, keyName_)) return Fail(std::string(key), RegFileContents::Status::OtherKey);
    if (deletion) return Fail("deleting the whole key is not supported");
    inKey_ = true;
  }

  // A quoted name or text from `pos` (at its opening quote), its escapes resolved;
  // `pos` ends after the closing quote.
  std::optional<std::string> Quoted(std::string_view line, std::size_t& pos) {
    std::string text;
    for (++pos; pos < line.size(); ++pos) {
      char c = line[pos];
      if (c == '"') {
        ++pos;
        return text;
      }
      if (c == '\\') {
        if (++pos == line.size() || (line[pos] != '\\' && line[pos] != '"')) {
          Fail("a backslash in quotes is followed by neither a backslash nor a quote");
          return std::nullopt;
        }
        c = line[pos];
      }
      text += c;
    }
    Fail("a quoted text does not end on its line");
    return std::nullopt;
  }

  void ValueLine(std::string_view line) {
    std::size_t pos = 0;
    RegFileValue value;
    if (line.front() == '@') {
      pos = 1;
    } else if (line.front() == '"') {
      std::optional<std::string> name = Quoted(line, pos);
      if (!name) return;
      value.name = std::move(*name);
    } else {
      return Fail("a line is neither a key, a value nor a comment");
    }
    std::string_view rest = Trim(line.substr(pos));
    if (!rest.starts_with('=')) return Fail("a value's name is not followed by \"=\"");
    rest = Trim(rest.substr(1));
    if (rest == "-") {
      result_.values.push_back(std::move(value));
      return;
    }
    if (rest.starts_with('"')) {
      std::size_t at = 0;
      std::optional<std::string> text = Quoted(rest, at);
      if (!text) return;
      if (!Trim(rest.substr(at)).empty()) return Fail("text follows a quoted value");
      value.data = RegistryData(std::move(*text));
    } else if (EqualsIgnoringCase(rest.substr(0, 6), "dword:")) {
      std::optional<std::int32_t> number = Dword(rest.substr(6));
      if (!number) return Fail("a dword is not 1 to 8 hexadecimal digits");
      value.data = RegistryData(*number);
    } else if (EqualsIgnoringCase(rest.substr(0, 3), "hex")) {
      return Fail("binary (hex) values are not supported");
    } else {
      return Fail("a value is neither a quoted text, a dword nor \"-\"");
    }
    result_.values.push_back(std::move(value));
  }

  static std::optional<std::int32_t> Dword(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t number = 0;
    for (char c : digits) {
      const char lower = static_cast<char>(LowerAscii(c));
      if (lower >= '0' && lower <= '9')
        number = number * 16 + static_cast<std::uint32_t>(lower - '0');
      else if (lower >= 'a' && lower <= 'f')
        number = number * 16 + static_cast<std::uint32_t>(lower - 'a' + 10);
      else
        return std::nullopt;
    }
    return static_cast<std::int32_t>(number);
  }

  std::string_view keyName_;
  RegFileContents result_;
  std::size_t line_ = 0;
  bool inKey_ = false;
};
}  // namespace

std::string WriteRegFile(std::string_view keyName, const std::vector<RegFileValue>& values,
                         std::vector<std::string>& skipped) {
  std::string text = std::string(kHeader) + "\r\n\r\n[" + std::string(keyName) + "]\r\n";
  for (const RegFileValue& value : values) {
    if (!FitsInString(value.name) || !FitsInString(value.data.ToText())) {
      skipped.push_back(value.name);
      continue;
    }
    const std::string name = value.name.empty() ? "@" : Quote(value.name);
    if (std::optional<std::int32_t> number = value.data.Number()) {
      char dword[16];
      std::snprintf(dword, sizeof dword, "dword:%08x", static_cast<unsigned>(*number));
      text += name + "=" + dword + "\r\n";
    } else if (value.data.IsNone()) {
      text += name + "=-\r\n";
    } else {
      text += name + "=" + Quote(value.data.ToText()) + "\r\n";
    }
  }
  text += "\r\n";
  return std::string(kByteOrderMark) + Utf16Le(text);
}

RegFileContents ReadRegFile(std::span<const std::uint8_t> bytes, std::string_view keyName) {
  return Reader(keyName).Read(FileText(bytes));
}
