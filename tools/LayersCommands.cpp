#include "LayersCommands.h"

#include "CommandStatus.h"
#include "ScanCommand.h"

#include <optional>

#include "compat/CompatFlags.h"
#include "compat/DpiModes.h"
#include "compat/LayersBackup.h"
#include "compat/LayersFile.h"
#include "compat/LayersKey.h"
#include "compat/modRegistry.h"
#include "platform/TextApi.h"

namespace {
// The flags text after `option` with `words`; nothing (and a message) for bad usage.
std::optional<std::string> ChangedFlags(std::string flags, const std::string& option,
                                        const std::vector<std::string>& words, std::string& problem) {
  if (option == "--mode") {
    const std::optional<std::vector<std::string>> mode =
        words.size() == 1 ? DpiModeWords(words.front()) : std::nullopt;
    if (!mode) {
      problem = "--mode takes one of application, system, system-enhanced, none";
      return std::nullopt;
    }
    return SetDpiMode(std::move(flags), *mode);
  }
  if (option != "--add" && option != "--remove") {
    problem = "unknown option " + option + " (--mode, --add or --remove)";
    return std::nullopt;
  }
  if (words.empty()) problem = option + " needs at least one flag word";
  for (const std::string& word : words)
    if (word.empty() || word.find_first_of(" \t") != std::string::npos || word.starts_with("--"))
      problem = "\"" + word + "\" is no flag word (one option at a time, words without blanks)";
  if (!problem.empty()) return std::nullopt;
  for (const std::string& word : words) {
    if (option == "--remove")
      flags = RemoveFlagFromText(flags, word);
    else if (std::optional<std::string> added = AddFlagToText(flags, word))
      flags = *added;
  }
  return flags;
}
}  // namespace

int RunFlags(const std::vector<std::string>& args, std::FILE* output, std::FILE* errors) {
  if (args.empty()) return UsageError(errors, "flags needs the path of a program");
  const std::string& path = args.front();
  const std::optional<std::string> stored = FindLayersValueName(path);
  const std::string flags = stored ? GetRegValue(kLayersKeyPath, *stored).ToText() : "";
  if (args.size() == 1) {
    std::fprintf(output, "%s\n", flags.c_str());
    return 0;
  }

  std::string problem;
  const std::optional<std::string> changed =
      ChangedFlags(flags, args[1], std::vector<std::string>(args.begin() + 2, args.end()), problem);
  if (!changed) return UsageError(errors, problem);
  // An existing value keeps its stored name; a new one is named by the path in upper
  // case, as the window names it. No value is made for an empty text.
  if (stored ? *changed != flags : !changed->empty()) {
    std::string failure;
    if (!BackUpLayersBeforeFirstChange(&failure))
      return CommandFailed(errors, "no backup of the compatibility list could be written (" +
                                       failure + "); nothing was changed");
    const std::string name = stored.value_or(platform::UpperCasePath(path));
    SetLayersValue(name, *changed);
    if (GetRegValue(kLayersKeyPath, name).ToText() != *changed)
      return CommandFailed(errors, "the flags of " + name + " could not be written");
  }
  std::fprintf(output, "%s\n", changed->c_str());
  return 0;
}

int RunExport(const std::vector<std::string>& args, std::FILE* /*output*/, std::FILE* errors) {
  const bool recommended = args.size() == 2 && args[1] == "--recommended";
  if (args.size() != 1 && !recommended)
    return UsageError(errors, "export needs one FILE and may add --recommended");
  // The recommended list is written to the file only; the registry stays as it is.
  std::vector<RegFileValue> values = ReadLayersValues();
  if (recommended) values = RecommendedLayersValues(std::move(values), ScanPrograms());
  std::vector<std::string> skipped;
  if (std::optional<LayersFileError> error = ExportLayerValues(args.front(), values, false, skipped))
    return CommandFailed(errors, error->message);
  for (const std::string& name : skipped)
    std::fprintf(errors, "sharpwell-cli: left out %s: a registry file string cannot hold its data\n",
                 name.c_str());
  return skipped.empty() ? 0 : kCommandFailed;
}

int RunImport(const std::vector<std::string>& args, std::FILE* output, std::FILE* errors) {
  if (args.size() != 1) return UsageError(errors, "import needs one FILE");
  if (const std::optional<LayersFileError> error = ImportLayers(args.front()))
    return CommandFailed(errors, error->message);
  std::fprintf(output, "the list as it was is saved in %s\n", LayersBackupOfThisRun().c_str());
  return 0;
}

int RunBackups(const std::vector<std::string>& args, std::FILE* output, std::FILE* errors) {
  if (!args.empty()) return UsageError(errors, "backups takes no arguments");
  const std::optional<std::vector<std::string>> backups = ListLayersBackups();
  if (!backups) return CommandFailed(errors, "LOCALAPPDATA is not set: there is no backup folder");
  for (const std::string& path : *backups) std::fprintf(output, "%s\n", path.c_str());
  return 0;
}
