#include "inspect/ManifestAwareness.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "inspect/XmlReader.h"
#include "inspect/clsExeReader.h"
#include "platform/AsciiCase.h"
#include "platform/CurrentError.h"

namespace {
using namespace std::string_view_literals;

constexpr std::u32string_view kSettings2005 = U"http://schemas.microsoft.com/SMI/2005/WindowsSettings"sv;
constexpr std::u32string_view kSettings2016 = U"http://schemas.microsoft.com/SMI/2016/WindowsSettings"sv;

// Where an element stands on the one path the loader reads the settings from.
enum class Place : std::uint8_t { Elsewhere, Assembly, Application, WindowsSettings, DpiAware, DpiAwareness };

// Collects the text of the first dpiAware and the first dpiAwareness element that
// stand where the loader looks for them.
class SettingsCollector : public XmlHandler {
 public:
  std::optional<std::u32string> dpiAware, dpiAwareness;

  void StartElement(std::u32string_view uri, std::u32string_view name) override {
    places_.push_back(Classify(places_.empty() ? std::nullopt : std::optional(places_.back()), uri, name));
    if (places_.back() == Place::DpiAware) Collect(dpiAware);
    if (places_.back() == Place::DpiAwareness) Collect(dpiAwareness);
  }
  void EndElement() override {
    if (places_.back() == Place::DpiAware || places_.back() == Place::DpiAwareness) collecting_ = nullptr;
    places_.pop_back();
  }
  void Text(std::u32string_view text) override {
    // Only text directly inside the element counts, not that of elements within it.
    if (collecting_ && (places_.back() == Place::DpiAware || places_.back() == Place::DpiAwareness))
      collecting_->append(text);
  }

 private:
  // Starts collecting into `text` unless an element of its kind came before.
  void Collect(std::optional<std::u32string>& text) {
    if (text) return;
    text.emplace();
    collecting_ = &*text;
  }

  // The settings count only inside assembly/application/windowsSettings, as the loader
  // reads them; those three are known by their names (manifests in use put
  // windowsSettings in the settings namespace as often as in asm.v3), the two settings
  // by their names and namespaces.
  static Place Classify(std::optional<Place> parent, std::u32string_view uri, std::u32string_view name) {
    if (!parent) return name == U"assembly"sv ? Place::Assembly : Place::Elsewhere;
    switch (*parent) {
      case Place::Assembly:
        return name == U"application"sv ? Place::Application : Place::Elsewhere;
      case Place::Application:
        return name == U"windowsSettings"sv ? Place::WindowsSettings : Place::Elsewhere;
      case Place::WindowsSettings:
        if (name == U"dpiAware"sv && uri == kSettings2005) return Place::DpiAware;
        if (name == U"dpiAwareness"sv && uri == kSettings2016) return Place::DpiAwareness;
        return Place::Elsewhere;
      default:
        return Place::Elsewhere;
    }
  }

  std::vector<Place> places_;  // one per open element
  std::u32string* collecting_ = nullptr;
};

bool IsBlank(char32_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The text in lower case when it is ASCII; any other character becomes one that no
// recognised value holds.
std::string LowerAsciiText(std::u32string_view text) {
  std::string lower;
  lower.reserve(text.size());
  for (char32_t c : text) lower += c < 0x80 ? static_cast<char>(LowerAscii(static_cast<char>(c))) : '\x7F';
  return lower;
}

// dpiAwareness: a comma-separated list; the first item Windows knows decides.
std::optional<DpiAwareness> FromDpiAwareness(std::u32string_view list) {
  static constexpr std::pair<std::string_view, DpiAwareness> kItems[] = {
      {"unaware", DpiAwareness::Unaware},
      {"system", DpiAwareness::System},
      {"permonitor", DpiAwareness::PerMonitor},
      {"permonitorv2", DpiAwareness::PerMonitorV2}};
  const std::string lower = LowerAsciiText(list);
  std::size_t start = 0;
  while (start <= lower.size()) {
    std::size_t end = std::min(lower.find(',', start), lower.size());
    std::size_t first = start, last = end;
    while (first < last && IsBlank(static_cast<unsigned char>(lower[first]))) ++first;
    while (last > first && IsBlank(static_cast<unsigned char>(lower[last - 1]))) --last;
    const std::string_view item = std::string_view(lower).substr(first, last - first);
    for (const auto& [text, awareness] : kItems)
      if (item == text) return awareness;
    start = end + 1;
  }
  return std::nullopt;
}

// dpiAware: the whole text, without regard to case.
DpiAwareness FromDpiAware(std::u32string_view value) {
  const std::string lower = LowerAsciiText(value);
  if (lower == "true") return DpiAwareness::System;
  if (lower == "true/pm" || lower == "per monitor") return DpiAwareness::PerMonitor;
  return DpiAwareness::Unaware;
}

// The last of the entries named `name`, or -1.
std::ptrdiff_t FindLast(const std::vector<std::string>& names, std::string_view name,
                        bool ignoreCase = false) {
  for (std::size_t i = names.size(); i-- > 0;)
    if (ignoreCase ? EqualsIgnoringCase(names[i], name) : names[i] == name)
      return static_cast<std::ptrdiff_t>(i);
  return -1;
}
}  // namespace

const char* AwarenessText(DpiAwareness awareness) {
  switch (awareness) {
    case DpiAwareness::System: return "system";
    case DpiAwareness::PerMonitor: return "permonitor";
    case DpiAwareness::PerMonitorV2: return "permonitorv2";
    case DpiAwareness::Invalid: return "invalid";
    case DpiAwareness::Unaware: break;
  }
  return "unaware";
}

const char* AwarenessSourceText(AwarenessSource source) {
  switch (source) {
    case AwarenessSource::DpiAwareness: return "dpiAwareness";
    case AwarenessSource::DpiAware: return "dpiAware";
    case AwarenessSource::None: break;
  }
  return "none";
}

AwarenessVerdict ManifestAwareness(std::span<const std::uint8_t> manifest) {
  SettingsCollector settings;
  if (!ReadXml(manifest, settings)) return {DpiAwareness::Invalid, AwarenessSource::None};
  if (settings.dpiAwareness) {
    if (std::optional<DpiAwareness> decided = FromDpiAwareness(*settings.dpiAwareness))
      return {*decided, AwarenessSource::DpiAwareness};
  }
  if (settings.dpiAware) return {FromDpiAware(*settings.dpiAware), AwarenessSource::DpiAware};
  return {};
}

AwarenessVerdict ExecutableAwareness(clsExeReader& reader) {
  std::vector<std::string> names;
  std::vector<std::int32_t> offsets;

  // The loader finds the resources through the image's directory, whatever the section
  // is called; the reader takes the last section named .rsrc in any case as that place.
  reader.EnumResources(0, names, offsets);
  const std::ptrdiff_t section = FindLast(names, ".rsrc", true);
  if (section < 0) return {};

  if (offsets[section] >= 0) return {};
  reader.EnumResources(offsets[section], names, offsets);
  const std::ptrdiff_t manifestType = FindLast(names, "Manifest");
  if (manifestType < 0 || offsets[manifestType] >= 0) return {};

  // Named entries come before numbered ones, so the last entry called "1" is the one
  // with ID 1 whenever there is such an entry.
  reader.EnumResources(offsets[manifestType], names, offsets);
  const std::ptrdiff_t idOne = FindLast(names, "1");
  if (idOne < 0 || offsets[idOne] >= 0) return {};

  reader.EnumResources(offsets[idOne], names, offsets);
  if (offsets.empty()) return {};
  const std::string bytes = reader.GetResourceData(offsets.front());
  return ManifestAwareness(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

ExeAwareness InspectAwareness(clsExeReader& reader, const std::string& path) {
  ExeAwareness result;
  CurrentError::Clear();
  reader.LoadExe(path);
  if (CurrentError::IsSet()) {
    result.errorNumber = CurrentError::Number();
    result.errorDescription = CurrentError::Description();
  } else {
    result.loaded = true;
    result.verdict = ExecutableAwareness(reader);
  }
  reader.UnloadExe();
  return result;
}
