#pragma once
// modRegServer: registering the common-controls component by its own entry point, and
// the recovery that start-up runs when the main window cannot be loaded: copy the
// spare component into the system folder, register it, and load the window again or
// ask for administrator rights.
#include <cstdint>
#include <functional>
#include <string>

namespace modRegServer {
inline constexpr const char* SpareComponent = "comctl32.oc-";  // in the working folder
inline constexpr const char* ComponentPath = "C:\\Windows\\system32\\comctl32.ocx";
inline constexpr const char* EntryPoint = "DllRegisterServer";
// The failure the recovery is for: a common control's window class is not there
// (ERROR_CANNOT_FIND_WND_CLASS), as when the component is missing or not registered.
inline constexpr std::int32_t ComponentMissing = 1407;
}  // namespace modRegServer

// True only when the component at `Path` loads, exports DllRegisterServer and that
// entry returns 0.
bool RegisterServer(const std::string& Path);

// What loading the main window needs from start-up: the load itself (false when it
// failed) and a modal message box (text, style) titled with the product name.
struct WindowLoadSteps {
  std::function<bool()> load;
  std::function<void(const std::string& text, std::uint32_t style)> message;
};

// The message that asks to start `exeBaseName`.exe as administrator.
std::string RunAsAdministratorText(const std::string& exeBaseName);

enum class Recovery {
  Refused,       // registration failed: the message was shown, the program ends at once
  Loaded,        // registered, and the second load succeeded
  StillFailing,  // registered, but the second load failed too (its error in CurrentError)
};

// The recovery after a failed load; the second load runs with CurrentError cleared.
Recovery RecoverComponent(const std::string& exeBaseName, const WindowLoadSteps& steps);

// Start-up's load of the main window: clear CurrentError and load; after a failure for
// want of the component the recovery; a window still missing, or one that failed for
// any other reason, gives the "Error showing GUI" message. True when the window is loaded.
bool LoadMainWindow(const std::string& exeBaseName, const WindowLoadSteps& steps);
