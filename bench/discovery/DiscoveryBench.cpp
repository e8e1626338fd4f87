// Discovery over many programs, with the real window shown: COUNT copies of one
// executable are named by COUNT compatibility entries and COUNT UserAssist names, and
// the discovery tick is timed from its start to "Ready", twice. The second run finds
// every program listed already and must open none of their files again.
//
// What is observed, without changing the program:
// - file opens: this executable's import of kernel32!CreateFileA is pointed at a
//   counter (every file the program's file layer opens goes through it);
// - repaints and status changes: the main window, the catalogue list, the status bar
//   and the progress bar are subclassed to count WM_PAINT, SB_SETTEXTA and PBM_SETPOS;
// - phase times: the moment each status text is set.
//
// Usage: sharpwell-discovery-bench SOURCE_EXE [COUNT]   (COUNT defaults to 1000)
#include "platform/ProgramText.h"
#include "compat/modRegistry.h"
#include "platform/CurrentError.h"
#include "platform/modSharpwell.h"
#include "shell/AppText.h"
#include "shell/window/MainWindow.h"
#include "windows/SeededRegistry.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {
double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / frequency;
}

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// ---- file opens -------------------------------------------------------------------
using CreateFileAFunction = HANDLE(WINAPI*)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD,
                                            DWORD, HANDLE);
CreateFileAFunction realCreateFileA = nullptr;
std::string watchedFolder;
long opensTotal = 0;
long opensInFolder = 0;

HANDLE WINAPI CountingCreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                                  DWORD disposition, DWORD flags, HANDLE templateFile) {
  ++opensTotal;
  if (name && _strnicmp(name, watchedFolder.c_str(), watchedFolder.size()) == 0) ++opensInFolder;
  return realCreateFileA(name, access, share, security, disposition, flags, templateFile);
}

// Points this executable's import slot of `dll`!`function` at `replacement`. Our own
// image, mapped by the loader, so its directories are trusted.
bool PatchImport(const char* dll, const char* function, void* replacement, void** original) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return false;
  for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name;
       ++entry) {
    if (_stricmp(reinterpret_cast<char*>(base + entry->Name), dll) != 0 || !entry->OriginalFirstThunk)
      continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<char*>(byName->Name), function) != 0) continue;
      DWORD protection = 0;
      if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection))
        return false;
      *original = reinterpret_cast<void*>(slots->u1.Function);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
      return true;
    }
  }
  return false;
}

// ---- time spent in system calls ---------------------------------------------------
// Inclusive time and number of calls of a few imports, to show where a run's time goes.
struct Probe {
  const char* dll;
  const char* name;
  void* real = nullptr;
  double seconds = 0;
  long calls = 0;
};
Probe probes[] = {
    {"advapi32.dll", "RegOpenKeyExA"},    {"advapi32.dll", "RegCreateKeyExA"},
    {"advapi32.dll", "RegQueryValueExA"}, {"advapi32.dll", "RegEnumValueA"},
    {"advapi32.dll", "RegCloseKey"},      {"kernel32.dll", "ReadFile"},
    {"kernel32.dll", "CloseHandle"},      {"kernel32.dll", "CreateToolhelp32Snapshot"},
    {"kernel32.dll", "OpenProcess"},      {"user32.dll", "SendMessageA"},
    {"user32.dll", "SetTimer"},           {"user32.dll", "KillTimer"},
    {"user32.dll", "PeekMessageA"},       {"user32.dll", "DispatchMessageA"},
    {"shell32.dll", "ExtractIconExA"},    {"user32.dll", "DrawIconEx"},
};

template <int N, typename F>
struct Timed;
template <int N, typename R, typename... A>
struct Timed<N, R(WINAPI*)(A...)> {
  static R WINAPI Call(A... args) {
    Probe& probe = probes[N];
    const double start = Now();
    R result = reinterpret_cast<R(WINAPI*)(A...)>(probe.real)(args...);
    probe.seconds += Now() - start;
    ++probe.calls;
    return result;
  }
};

// SendMessageA is timed per message as well.
struct MessageTime {
  long calls = 0;
  double seconds = 0;
};
std::map<UINT, MessageTime> messageTimes;
constexpr int kSendMessageProbe = 9;

LRESULT WINAPI TimedSendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Probe& probe = probes[kSendMessageProbe];
  const double start = Now();
  LRESULT result = reinterpret_cast<decltype(&::SendMessageA)>(probe.real)(window, message, wParam, lParam);
  const double spent = Now() - start;
  probe.seconds += spent;
  ++probe.calls;
  MessageTime& m = messageTimes[message];
  m.seconds += spent;
  ++m.calls;
  return result;
}

template <int N, typename F>
void Install(F) {
  if (!PatchImport(probes[N].dll, probes[N].name, reinterpret_cast<void*>(&Timed<N, F>::Call), &probes[N].real))
    probes[N].real = nullptr;
}

void InstallProbes() {
  Install<0>(&::RegOpenKeyExA);
  Install<1>(&::RegCreateKeyExA);
  Install<2>(&::RegQueryValueExA);
  Install<3>(&::RegEnumValueA);
  Install<4>(&::RegCloseKey);
  Install<5>(&::ReadFile);
  Install<6>(&::CloseHandle);
  Install<7>(&::CreateToolhelp32Snapshot);
  Install<8>(&::OpenProcess);
  PatchImport("user32.dll", "SendMessageA", reinterpret_cast<void*>(TimedSendMessageA),
              &probes[kSendMessageProbe].real);
  Install<10>(&::SetTimer);
  Install<11>(&::KillTimer);
  Install<12>(&::PeekMessageA);
  Install<13>(&::DispatchMessageA);
  Install<14>(&::ExtractIconExA);
  Install<15>(&::DrawIconEx);
}

void ResetProbes() {
  for (Probe& probe : probes) probe.seconds = 0, probe.calls = 0;
  messageTimes.clear();
}

void PrintProbes(const std::vector<Probe>& taken) {
  std::printf("  time inside system calls (inclusive; nested calls count in both):\n");
  for (const Probe& probe : taken)
    if (probe.real && probe.calls)
      std::printf("    %-26s %8ld calls %9.3f s\n", probe.name, probe.calls, probe.seconds);
}

// ---- window messages --------------------------------------------------------------
struct WindowCounts {
  long paints = 0;
  long statusTexts = 0;
  long progressMoves = 0;
};
std::map<HWND, WNDPROC> originalProcs;
std::map<HWND, WindowCounts> counts;
// Each status text with the moment it was set, in order.
std::vector<std::pair<std::string, double>> statusLog;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowCounts& c = counts[window];
  if (message == WM_PAINT) ++c.paints;
  if (message == SB_SETTEXTA && LOBYTE(LOWORD(wParam)) == 0) {
    ++c.statusTexts;
    statusLog.emplace_back(reinterpret_cast<const char*>(lParam), Now());
  }
  if (message == PBM_SETPOS) ++c.progressMoves;
  return CallWindowProcA(originalProcs[window], window, message, wParam, lParam);
}

void Subclass(HWND window) {
  if (!window || originalProcs.contains(window)) return;
  originalProcs[window] = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
}

void Unsubclass() {
  for (const auto& [window, proc] : originalProcs)
    if (IsWindow(window)) SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
  originalProcs.clear();
}

// ---- the bench's own files and registry values ------------------------------------
class BenchData {
 public:
  BenchData(const std::string& source, int count) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "sharpwell-discovery-bench-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    folder_ += "\\";
    for (int i = 1; i <= count; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "Program%04d.exe", i);
      const std::string path = folder_ + name;
      if (!CopyFileA(source.c_str(), path.c_str(), FALSE)) {
        std::fprintf(stderr, "cannot copy %s to %s: error %lu\n", source.c_str(), path.c_str(), GetLastError());
        ok_ = false;
        return;
      }
      copies_.push_back(path);
      // Named as the program itself names compatibility entries, and as Explorer does.
      registry_.AddLayer(Upper(path), "HIGHDPIAWARE");
      registry_.AddRecent(path);
    }
  }
  ~BenchData() {
    for (const std::string& path : copies_) DeleteFileA(path.c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  BenchData(const BenchData&) = delete;
  BenchData& operator=(const BenchData&) = delete;

  bool Ok() const { return ok_; }
  const std::string& Folder() const { return folder_; }

 private:
  SeededRegistry registry_;  // put back as it was after the copies are gone
  bool ok_ = true;
  std::string folder_;
  std::vector<std::string> copies_;
};

int RowsInFolder(HWND list, const std::string& folder) {
  int rows = 0;
  const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[MAX_PATH + 1] = {};
    LVITEMA item{};
    item.iSubItem = 3;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    if (_strnicmp(text, folder.c_str(), folder.size()) == 0) ++rows;
  }
  return rows;
}

std::string StatusText(HWND status) {
  char text[128] = {};
  SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  return text;
}

struct RunFigures {
  double seconds = 0;
  long opensTotal = 0;
  long opensInFolder = 0;
  std::map<HWND, WindowCounts> counts;
  std::vector<std::pair<std::string, double>> phases;  // status text, seconds since start
  std::vector<Probe> probes;
  std::map<UINT, MessageTime> messages;
  std::string status;
  int rows = 0;
};

RunFigures TimedTick(MainWindow& window, const std::string& folder) {
  opensTotal = opensInFolder = 0;
  counts.clear();
  statusLog.clear();
  ResetProbes();
  const double start = Now();
  window.Form().tmrLoad_Timer();
  RunFigures figures;
  figures.seconds = Now() - start;
  figures.probes.assign(std::begin(probes), std::end(probes));
  figures.messages = messageTimes;
  figures.opensTotal = opensTotal;
  figures.opensInFolder = opensInFolder;
  figures.counts = counts;
  for (const auto& [text, at] : statusLog) figures.phases.emplace_back(text, at - start);
  figures.status = StatusText(window.Control(ControlId::SBar));
  figures.rows = RowsInFolder(window.Control(ControlId::lvwPrograms), folder);
  return figures;
}

void Print(const char* title, const RunFigures& f, const MainWindow& window, int programs) {
  std::printf("%s: %.3f s to \"%s\"", title, f.seconds, f.status.c_str());
  if (programs > 0) std::printf(", %.3f ms per program", 1000.0 * f.seconds / programs);
  std::printf("\n  rows of the bench's programs: %d\n", f.rows);
  std::printf("  files opened (CreateFileA): %ld, of them bench copies: %ld\n", f.opensTotal, f.opensInFolder);
  auto of = [&](ControlId id) {
    auto found = f.counts.find(window.Control(id));
    return found == f.counts.end() ? WindowCounts{} : found->second;
  };
  auto main = f.counts.find(window.Hwnd());
  std::printf("  repaints: main window %ld, program list %ld, status bar %ld\n",
              main == f.counts.end() ? 0L : main->second.paints, of(ControlId::lvwPrograms).paints,
              of(ControlId::SBar).paints);
  std::printf("  status texts set: %ld\n", of(ControlId::SBar).statusTexts);
  long moves = 0;
  for (const auto& [hwnd, c] : f.counts) moves += c.progressMoves;
  std::printf("  progress bar moves: %ld\n", moves);
  std::printf("  phases (status text: seconds from the start of the tick):\n");
  for (const auto& [text, at] : f.phases) std::printf("    %8.3f  %s\n", at, text.c_str());
  PrintProbes(f.probes);
  // The messages that took a tenth of the time or more.
  for (const auto& [message, time] : f.messages)
    if (time.seconds >= f.seconds / 10)
      std::printf("      message 0x%04X: %ld calls %9.3f s\n", message, time.calls, time.seconds);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s SOURCE_EXE [COUNT]\n", argv[0]);
    return 2;
  }
  const std::string source = argv[1];
  const int count = argc > 2 ? std::atoi(argv[2]) : 1000;
  if (count <= 0 || count > 100000) {
    std::fprintf(stderr, "COUNT must be from 1 to 100000\n");
    return 2;
  }
  InitCommonControls();
  modSharpwell::AppProductName = AppText::ProductName;
  modSharpwell::AppExePath = "C:\\Program Files\\Sharpwell\\Sharpwell.exe";

  const double setupStart = Now();
  BenchData data(source, count);
  if (!data.Ok()) return 1;
  std::printf("programs: %d copies of %s, each named by a compatibility entry and a recent-program name\n",
              count, source.c_str());
  std::printf("setup (copies and registry values): %.3f s\n", Now() - setupStart);

  watchedFolder = data.Folder();
  const bool counting = PatchImport("kernel32.dll", "CreateFileA", reinterpret_cast<void*>(CountingCreateFileA),
                                    reinterpret_cast<void**>(&realCreateFileA));
  if (!counting) std::printf("warning: CreateFileA could not be hooked; file opens are not counted\n");
  InstallProbes();

  std::unique_ptr<MainWindow> window = MainWindow::Create(GetModuleHandleA(nullptr));
  if (!window) {
    std::fprintf(stderr, "the main window could not be created: %d %s\n", CurrentError::Number(),
                 CurrentError::Description().c_str());
    return 1;
  }
  window->SetEndProcessHook([] {});
  Subclass(window->Hwnd());
  Subclass(window->Control(ControlId::lvwPrograms));
  Subclass(window->Control(ControlId::SBar));
  Subclass(FindWindowExA(window->Hwnd(), nullptr, PROGRESS_CLASSA, nullptr));
  // Shows the window and stores the default icon; the tick is then run here, timed
  // (it disarms its own timer first).
  window->Form().Form_Load(true);

  const RunFigures first = TimedTick(*window, data.Folder());
  Print("first run", first, *window, count);
  const RunFigures second = TimedTick(*window, data.Folder());
  Print("second run", second, *window, 0);
  Unsubclass();
  window.reset();

  const double speedUp = second.seconds > 0 ? first.seconds / second.seconds : 0;
  const bool firstOk = first.seconds < 2.0 && first.status == "Ready" && first.rows == count;
  const bool secondOk = speedUp >= 20.0 && second.rows == count && (!counting || second.opensInFolder == 0);
  std::printf("second run is %.1f times faster than the first\n", speedUp);
  std::printf("target: first run under 2 s with every program listed: %s\n", firstOk ? "met" : "MISSED");
  std::printf("target: second run at least 20 times faster, no copy opened again: %s\n",
              secondOk ? "met" : "MISSED");
  return first.rows == count && second.rows == count ? 0 : 1;
}
