// The scan of programs that fills the catalogue at start-up from the compatibility
// list, the running processes and Explorer's list of recently run programs; the status
// display it reports through; and how a process's program is found.
#include <algorithm>
#include <cmath>

#include "catalogue/Catalogue.h"
#include "compat/modRegistry.h"
#include "platform/ClockApi.h"
#include "platform/ProcessApi.h"
#include "platform/ProgramText.h"
#include "platform/TextApi.h"

namespace catalogue {

namespace {
constexpr const char* kUserAssistCount =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\"
    "{CEBFF5CD-ACE2-4F4F-9178-9926F41749EA}\\Count";
constexpr float kRepaintSeconds = 0.1f;
constexpr int kProcessPhaseMaximum = 100;
const char* const kSystemFolders[] = {"C:\\Windows\\system32\\", "C:\\Windows\\SysWOW64\\",
                                      "C:\\Windows\\"};

// The clock reading of the last progress update that took effect.
float LastProgressTime = 0;

// A drive path: its second and third characters are ":\".
bool IsDrivePath(const std::string& path) {
  return path.size() >= 3 && path[1] == ':' && path[2] == '\\';
}
}  // namespace

void Catalogue::SetStatus(const std::string& text, float maximum) {
  c_.SBar.SetPanel1Text(text);
  if (maximum != 0) {
    c_.PBar.SetValue(0);
    c_.PBar.SetMax(static_cast<int>(maximum));
  }
  c_.window.DoEvents();
}

void Catalogue::UpdateProgress(float value) {
  // At most ten repaints a second, however long the loop; the absolute difference also
  // lets the clock wrap at midnight.
  if (std::fabs(platform::SecondsSinceMidnight() - LastProgressTime) < kRepaintSeconds) return;
  c_.PBar.SetValue(static_cast<int>(value));
  c_.window.DoEvents();
  LastProgressTime = platform::SecondsSinceMidnight();
}

std::string Catalogue::GetProcessPath(std::uint32_t processId) {
  if (processId == 0 || processId == 4) return {};  // the idle and system processes
  platform::ProcessHandle process =
      platform::OpenProcess(platform::win::kQueryInformation, false, processId);
  if (!process)
    process = platform::OpenProcess(platform::win::kQueryLimitedInformation, false,
                                    processId);
  if (!process) return GetProcessPathFromList(processId);
  return platform::QueryFullProcessImageNameA(process).value_or("");
}

std::string Catalogue::GetProcessPathFromList(std::uint32_t processId) {
  // Only programs already in the catalogue can be found this way, by file name.
  platform::Snapshot snapshot = platform::CreateToolhelp32Snapshot(platform::win::kSnapProcess, 0);
  if (!snapshot) return {};
  platform::ProcessEntry entry;
  bool found = platform::Process32First(snapshot, &entry);
  while (found && entry.th32ProcessID != processId) found = platform::Process32Next(snapshot, &entry);
  if (!found || entry.szExeFile.empty()) return {};
  for (const char* folder : kSystemFolders)
    if (DoesFileExist(folder + entry.szExeFile)) return {};
  const std::string name = platform::LowerCasePath(entry.szExeFile);
  const int count = c_.lvwPrograms.Count();
  for (int i = 1; i <= count; ++i)
    if (c_.lvwPrograms.Text(i) == name) return c_.lvwPrograms.Key(i).value_or("");
  return {};
}

void Catalogue::ScanForPrograms() {
  SetStatus("Reading compatibility list...", 100);
  for (const std::string& key : compat_.Keys()) AddProgram(key);

  SetStatus("Reading process list...", 100);
  if (platform::Snapshot snapshot =
          platform::CreateToolhelp32Snapshot(platform::win::kSnapProcess, 0)) {
    platform::ProcessEntry entry;
    int seen = 0;
    for (bool more = platform::Process32First(snapshot, &entry); more;
         more = platform::Process32Next(snapshot, &entry)) {
      std::string path = GetProcessPath(entry.th32ProcessID);
      // The bar shows the processes seen so far, up to its maximum.
      seen = std::min(seen + 1, kProcessPhaseMaximum);
      UpdateProgress(static_cast<float>(seen));
      if (IsDrivePath(path)) AddProgram(path);
    }
  }

  SetStatus("Reading recent program list...", 100);
  const std::vector<std::string> recent = EnumRegValues(kUserAssistCount);
  c_.PBar.SetMax(static_cast<int>(recent.size()));
  for (std::size_t i = 0; i < recent.size(); ++i) {
    UpdateProgress(static_cast<float>(i + 1));
    // Rot13 leaves ":" and "\" alone, so the encoded name shows the form already.
    if (IsDrivePath(recent[i])) AddProgram(Rot13(recent[i]));
  }

  tmrGetIcons_Timer();
}

}  // namespace catalogue
