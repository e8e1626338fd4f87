#include "ScanCommand.h"

#include <algorithm>

#include "CommandStatus.h"
#include "catalogue/DpiAwareText.h"
#include "compat/CompatFlags.h"
#include "compat/DpiModes.h"
#include "inspect/InspectExecutable.h"
#include "inspect/ManifestAwareness.h"
#include "MemoryMainWindow.h"
#include "platform/Layout.h"
#include "platform/TextApi.h"

namespace {
// `text` as a JSON string, quotes included.
std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : platform::ToUtf8(text)) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}
}  // namespace

std::vector<ScannedProgram> ScanPrograms() {
  // The monitor check box stays clear, so the monitor's tick only follows the program
  // in front and writes nothing.
  MemoryMainWindow parts;
  parts.window.Show();  // discovery lists programs only for a shown window
  parts.form.tmrLoad_Timer();

  clsExeReader reader;
  std::vector<ScannedProgram> found;
  for (int i = 1; i <= parts.lvwPrograms.Count(); ++i) {
    ScannedProgram program;
    program.path = parts.lvwPrograms.Key(i).value_or("");
    program.verdict = parts.lvwPrograms.SubItem(i, ProgramsColumn::DpiAware).value_or("");
    program.bits = parts.lvwPrograms.SubItem(i, ProgramsColumn::Bits).value_or("");
    if (std::optional<int> entry = parts.lvwCompat.FindRow(program.path))
      program.flags = parts.lvwCompat.SubItem(*entry, CompatColumn::Flags).value_or("");
    // A file that went away since discovery read it counts as unaware, as one that is
    // no executable does.
    program.awareness =
        AwarenessText(InspectAwareness(reader, program.path).verdict.awareness);
    found.push_back(std::move(program));
  }
  return found;
}

std::string ScanRow(const ScannedProgram& program) {
  return program.verdict + '\t' + program.awareness + '\t' + program.bits + '\t' + program.flags +
         '\t' + program.path;
}

std::string ScanJson(const std::vector<ScannedProgram>& programs) {
  std::string out = "[";
  for (const ScannedProgram& program : programs) {
    if (out.size() > 1) out += ",";
    out += "\n  {\"verdict\": " + JsonString(program.verdict) +
           ", \"awareness\": " + JsonString(program.awareness) +
           ", \"bits\": " + JsonString(program.bits) + ", \"flags\": " + JsonString(program.flags) +
           ", \"path\": " + JsonString(program.path) + "}";
  }
  return out + (programs.empty() ? "]" : "\n]");
}

bool NeedsHighDpiAware(const ScannedProgram& program) {
  return program.verdict == DpiAwareText(DpiVerdict::No) &&
         program.awareness == AwarenessText(DpiAwareness::Unaware) && !HasDpiMode(program.flags);
}

std::vector<RegFileValue> RecommendedLayersValues(std::vector<RegFileValue> values,
                                                  const std::vector<ScannedProgram>& programs) {
  for (const ScannedProgram& program : programs) {
    if (!NeedsHighDpiAware(program)) continue;
    auto same = std::find_if(values.begin(), values.end(), [&](const RegFileValue& value) {
      return platform::SamePath(value.name, program.path);
    });
    if (same == values.end()) {
      values.push_back({platform::UpperCasePath(program.path), RegistryData(kHighDpiAwareFlag)});
    } else {
      const std::string flags = same->data.ToText();
      same->data = RegistryData(AddFlagToText(flags, kHighDpiAwareFlag).value_or(flags));
    }
  }
  return values;
}

int RunScan(const std::vector<std::string>& args, std::FILE* output, std::FILE* errors) {
  if (args.size() > 1 || (args.size() == 1 && args.front() != "--json"))
    return UsageError(errors, "scan takes no arguments but --json");
  const std::vector<ScannedProgram> programs = ScanPrograms();
  if (!args.empty()) {
    std::fprintf(output, "%s\n", ScanJson(programs).c_str());
    return 0;
  }
  for (const ScannedProgram& program : programs)
    std::fprintf(output, "%s\n", ScanRow(program).c_str());
  return 0;
}
