#pragma once
// monitor::ForegroundMonitor: start with Windows (the chkMonitor box) and the foreground
// monitor, which follows the program in front and, while monitoring, puts every
// program that is not DPI aware on the compatibility list by itself.
#include <cstdint>
#include <string>

#include "catalogue/Catalogue.h"
#include "platform/FormControls.h"

namespace RegistryPath {
inline constexpr const char* Run = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
}  // namespace RegistryPath

namespace monitor {

// The controls the monitor works with, owned by the window.
struct MonitorParts {
  CheckBox& chkMonitor;
  FormWindow& window;
};

// What one tick of the monitor found in front.
enum class Tick { SameWindow, NewWindow };

class ForegroundMonitor {
 public:
  ForegroundMonitor(const MonitorParts& parts, catalogue::Catalogue& programs)
      : c_(parts), catalogue_(programs) {}
  ForegroundMonitor(const ForegroundMonitor&) = delete;
  ForegroundMonitor& operator=(const ForegroundMonitor&) = delete;

  // True when the Run key's value for the program names its executable (letter case
  // ignored).
  bool StartsWithWindows() const;
  void chkMonitor_Click();
  Tick tmrMonitor_Timer();

 private:
  MonitorParts c_;
  catalogue::Catalogue& catalogue_;
  std::uintptr_t ForegroundWindow = 0;
  std::uintptr_t LastForegroundWindow = 0;
  std::uint32_t ForegroundProcessId = 0;
  std::string ForegroundPath;
};

}  // namespace monitor
