#include "compat/LayersFile.h"

#include <algorithm>
#include <span>

#include "compat/LayersBackup.h"
#include "compat/LayersKey.h"
#include "compat/RegFile.h"
#include "inspect/clsFile.h"
#include "platform/CurrentError.h"
#include "platform/FolderApi.h"
#include "platform/TextApi.h"

namespace {
// Far more than any compatibility list needs; a larger file is no export of one.
constexpr double kLargestFile = 16.0 * 1024 * 1024;

LayersFileError SystemError(const std::string& what, const std::string& path) {
  return {CurrentError::Number(), what + " " + path + ": " + CurrentError::Description()};
}

std::optional<LayersFileError> ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  clsFile file;
  CurrentError::Clear();
  file.OpenFile(path, platform::win::kGenericRead,
                platform::win::kShareRead | platform::win::kShareWrite);
  if (CurrentError::IsSet()) return SystemError("cannot read", path);
  const double length = file.Length();
  if (CurrentError::IsSet()) return SystemError("cannot read", path);
  if (length > kLargestFile) return LayersFileError{0, path + " is too large for a registry file of the compatibility list"};
  bytes.assign(static_cast<std::size_t>(length), 0);
  if (!bytes.empty()) file.ReadBytes(bytes);
  if (CurrentError::IsSet()) return SystemError("cannot read", path);
  return std::nullopt;
}

// Value names are compared as the paths they are.
bool SameName(const std::string& a, const std::string& b) { return platform::SamePath(a, b); }

// The values the key ends up with: each line of the file over the ones before it.
std::vector<RegFileValue> FinalValues(const std::vector<RegFileValue>& lines) {
  std::vector<RegFileValue> values;
  for (const RegFileValue& line : lines) {
    auto same = std::find_if(values.begin(), values.end(),
                             [&](const RegFileValue& value) { return SameName(value.name, line.name); });
    if (line.data.IsNone()) {
      if (same != values.end()) values.erase(same);
    } else if (same != values.end()) {
      *same = line;
    } else {
      values.push_back(line);
    }
  }
  return values;
}

bool HoldsExactly(const std::vector<RegFileValue>& stored, const std::vector<RegFileValue>& wanted) {
  if (stored.size() != wanted.size()) return false;
  return std::all_of(wanted.begin(), wanted.end(), [&](const RegFileValue& value) {
    return std::any_of(stored.begin(), stored.end(), [&](const RegFileValue& found) {
      return SameName(found.name, value.name) && found.data.IsNumber() == value.data.IsNumber() &&
             found.data.ToText() == value.data.ToText();
    });
  });
}
}  // namespace

std::optional<LayersFileError> ExportLayerValues(const std::string& path,
                                                 const std::vector<RegFileValue>& values,
                                                 bool createNew, std::vector<std::string>& skipped) {
  const std::string text = WriteRegFile(kLayersKeyName, values, skipped);
  clsFile file;
  CurrentError::Clear();
  if (createNew)
    file.NewFileNoOverwrite(path);
  else
    file.NewFile(path);
  if (CurrentError::IsSet()) return SystemError("cannot write", path);
  file.WriteBytes(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  file.CloseFile();
  if (CurrentError::IsSet()) {
    LayersFileError error = SystemError("cannot write", path);
    platform::DeleteFileA(path);  // no half-written file stays behind
    return error;
  }
  return std::nullopt;
}

std::optional<LayersFileError> ExportLayers(const std::string& path, bool createNew,
                                            std::vector<std::string>& skipped) {
  return ExportLayerValues(path, ReadLayersValues(), createNew, skipped);
}

std::optional<LayersFileError> ImportLayers(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  if (std::optional<LayersFileError> error = ReadWholeFile(path, bytes)) return error;
  const RegFileContents contents = ReadRegFile(bytes, kLayersKeyName);
  const std::string where = path + ", line " + std::to_string(contents.line) + ": ";
  switch (contents.status) {
    case RegFileContents::Status::Malformed:
      return LayersFileError{0, where + contents.problem + "; nothing was imported"};
    case RegFileContents::Status::OtherKey:
      return LayersFileError{0, where + "the file names the key " + contents.problem +
                                    ", not the compatibility list " + kLayersKeyName +
                                    "; nothing was imported"};
    case RegFileContents::Status::Ok:
      break;
  }
  const std::vector<RegFileValue> values = FinalValues(contents.values);

  std::string failure;
  if (!BackUpLayersBeforeFirstChange(&failure))
    return LayersFileError{0, "no backup of the compatibility list could be written (" + failure +
                                  "); nothing was imported"};
  for (const RegFileValue& old : ReadLayersValues()) DeleteLayersValue(old.name);
  for (const RegFileValue& value : values) {
    if (std::optional<std::int32_t> number = value.data.Number())
      SetLayersValue(value.name, *number);
    else
      SetLayersValue(value.name, value.data.ToText());
  }
  if (!HoldsExactly(ReadLayersValues(), values))
    return LayersFileError{0, "the compatibility list could not be written as " + path +
                                  " says; the list as it was is saved in " + LayersBackupOfThisRun()};
  return std::nullopt;
}
