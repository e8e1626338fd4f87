#include "compat/LayersBackup.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "compat/LayersFile.h"
#include "inspect/clsFile.h"
#include "platform/CurrentError.h"
#include "platform/FileApi.h"
#include "platform/FolderApi.h"
#include "platform/LocalTimeApi.h"

namespace {
std::string backupOfThisRun;

constexpr int kMostPerSecond = 99;
constexpr std::uint32_t kFileExists = platform::err::kFileExists;

// "Layers-2026-12-06_143015.reg", the n-th within one second with "_0n" before ".reg".
std::string BackupName(const platform::LocalTime& t, int sequence) {
  char name[48];
  std::snprintf(name, sizeof name, "Layers-%04u-%02u-%02u_%02u%02u%02u", unsigned{t.year},
                unsigned{t.month}, unsigned{t.day}, unsigned{t.hour}, unsigned{t.minute},
                unsigned{t.second});
  std::string text = name;
  if (sequence > 1) {
    std::snprintf(name, sizeof name, "_%02d", sequence);
    text += name;
  }
  return text + ".reg";
}

// Whether `name` has the shape of a backup's name; among such names, the order of the
// texts is the order in which they were written.
bool IsBackupName(std::string_view name) {
  constexpr std::string_view kShape = "Layers-0000-00-00_000000";
  auto fits = [](std::string_view text, std::string_view shape) {
    return text.size() == shape.size() &&
           std::equal(shape.begin(), shape.end(), text.begin(), [](char s, char c) {
             return s == '0' ? (c >= '0' && c <= '9') : s == c;
           });
  };
  if (name.size() < kShape.size() || !fits(name.substr(0, kShape.size()), kShape)) return false;
  const std::string_view rest = name.substr(kShape.size());
  return rest == ".reg" || fits(rest, "_00.reg");
}

std::vector<std::string> BackupNamesOldestFirst(const std::string& folder) {
  std::vector<std::string> names = platform::ListFileNames(folder).value_or(std::vector<std::string>{});
  std::erase_if(names, [](const std::string& name) { return !IsBackupName(name); });
  std::sort(names.begin(), names.end());
  return names;
}

// The number after the highest of the backups named for the same second as `first`.
int NextSequence(const std::string& folder, const std::string& first) {
  const std::string stem = first.substr(0, first.size() - 4);  // without ".reg"
  int next = 1;
  for (const std::string& name : BackupNamesOldestFirst(folder)) {
    if (!name.starts_with(stem)) continue;
    const std::string rest = name.substr(stem.size());
    next = std::max(next, rest == ".reg" ? 2 : std::stoi(rest.substr(1, 2)) + 1);
  }
  return next;
}

bool EnsureFolder(const std::string& path, std::string& failure) {
  if (platform::CreateDirectoryA(path) || platform::GetLastError() == platform::err::kAlreadyExists)
    return true;
  failure = "cannot create " + path + ": " + CleanSystemMessage(platform::FormatMessageA(platform::GetLastError()));
  return false;
}

void KeepNewest(const std::string& folder) {
  const std::vector<std::string> names = BackupNamesOldestFirst(folder);
  for (std::size_t i = 0; i + kLayersBackupsKept < names.size(); ++i)
    platform::DeleteFileA(folder + "\\" + names[i]);
}

bool WriteBackup(std::string& failure) {
  const std::optional<std::string> folder = LayersBackupFolder();
  if (!folder) {
    failure = "LOCALAPPDATA is not set";
    return false;
  }
  const std::string sharpwell = folder->substr(0, folder->rfind('\\'));
  if (!EnsureFolder(sharpwell, failure) || !EnsureFolder(*folder, failure)) return false;
  const platform::LocalTime now = platform::GetLocalTime();
  // After the backups of this second, never in a gap an older one left: names must
  // keep sorting by age.
  for (int sequence = NextSequence(*folder, BackupName(now, 1)); sequence <= kMostPerSecond; ++sequence) {
    const std::string path = *folder + "\\" + BackupName(now, sequence);
    std::vector<std::string> skipped;
    const std::optional<LayersFileError> error = ExportLayers(path, true, skipped);
    if (!error) {
      backupOfThisRun = path;
      KeepNewest(*folder);
      return true;
    }
    if (error->number != static_cast<std::int32_t>(kFileExists)) {
      failure = error->message;
      return false;
    }
  }
  failure = "every backup name of this second is taken";
  return false;
}
}  // namespace

bool BackUpLayersBeforeFirstChange(std::string* failure) {
  if (!backupOfThisRun.empty()) return true;
  const std::int32_t number = CurrentError::Number();
  const std::string description = CurrentError::Description();
  std::string why;
  const bool saved = WriteBackup(why);
  CurrentError::Clear();
  if (number != 0) CurrentError::Raise(number, description);
  if (!saved && failure) *failure = why;
  return saved;
}

const std::string& LayersBackupOfThisRun() { return backupOfThisRun; }

std::optional<std::string> LayersBackupFolder() {
  std::optional<std::string> local = platform::GetEnvironmentVariableA("LOCALAPPDATA");
  if (!local || local->empty()) return std::nullopt;
  while (!local->empty() && local->back() == '\\') local->pop_back();
  return *local + "\\Sharpwell\\Backups";
}

std::optional<std::vector<std::string>> ListLayersBackups() {
  const std::optional<std::string> folder = LayersBackupFolder();
  if (!folder) return std::nullopt;
  std::vector<std::string> paths;
  const std::vector<std::string> names = BackupNamesOldestFirst(*folder);
  for (auto name = names.rbegin(); name != names.rend(); ++name) paths.push_back(*folder + "\\" + *name);
  return paths;
}

void ForgetLayersBackupOfThisRun() { backupOfThisRun.clear(); }
