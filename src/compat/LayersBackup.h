#pragma once
// The safety net of the compatibility list: before its first change to the Layers key
// in a run, the program saves the whole key as a registry file in
// %LOCALAPPDATA%\Sharpwell\Backups\, named by the local date and time so that names
// sort by age (Layers-2026-12-06_143015.reg; later ones within the same second end in
// _02, _03, ...), and keeps the newest kLayersBackupsKept of them. Any backup can be put
// back with ImportLayers.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

inline constexpr std::size_t kLayersBackupsKept = 20;

// Saves the key unless this run has saved it already, and returns whether it is saved;
// `failure` (may be null) receives why not. The caller's CurrentError is left as it was.
bool BackUpLayersBeforeFirstChange(std::string* failure = nullptr);

// The file this run's backup went to; empty while there is none.
const std::string& LayersBackupOfThisRun();

// %LOCALAPPDATA%\Sharpwell\Backups; nothing when LOCALAPPDATA is not set.
std::optional<std::string> LayersBackupFolder();

// The full paths of the backups, newest first (none when the folder is missing);
// nothing when LOCALAPPDATA is not set. Other files in the folder are not listed.
std::optional<std::vector<std::string>> ListLayersBackups();

// Makes the next change save the key again, as at the start of a run.
void ForgetLayersBackupOfThisRun();
