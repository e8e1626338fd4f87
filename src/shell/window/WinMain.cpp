// Sharpwell.exe: the start-up routine Main and the message loop.
#include "platform/CurrentError.h"
#include "platform/win32/Owners.h"
#include "shell/modRegServer.h"
#include "platform/modSharpwell.h"
#include "shell/AppText.h"
#include "shell/window/MainWindow.h"
#include "shell/window/ProductInfo.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace {
// Another running instance is found by a named object that lives as long as it does.
class SingleInstance {
 public:
  SingleInstance() : mutex_(CreateMutexA(nullptr, FALSE, "Local\\Sharpwell.SingleInstance")),
                     alreadyRunning_(GetLastError() == ERROR_ALREADY_EXISTS) {}
  bool AlreadyRunning() const { return alreadyRunning_; }

 private:
  KernelHandleOwner mutex_;
  bool alreadyRunning_;
};

int RunMessageLoop(HWND window) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(window, &message)) continue;  // tab order between the controls
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                                     ICC_PROGRESS_CLASS | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);

  SingleInstance instanceLock;
  if (instanceLock.AlreadyRunning()) {
    MessageBoxA(nullptr, AppText::AlreadyRunning, AppText::ProductName, MB_OK | MB_ICONEXCLAMATION);
    return 0;
  }

  ModulePath self = OwnModulePath();
  modSharpwell::AppExePath = modSharpwell::MakeAppExePath(self.folder, self.baseName);
  modSharpwell::AppProductName = ReadProductName(self.fullPath);

  const bool commandLineEmpty = commandLine == nullptr || *commandLine == '\0';
  std::unique_ptr<MainWindow> window;
  WindowLoadSteps steps{
      [&] {
        window.reset();  // a window left from a failed load goes first
        window = MainWindow::Create(instance);
        if (window) window->Form().Form_Load(commandLineEmpty);
        return window != nullptr;
      },
      [](const std::string& text, std::uint32_t style) {
        MessageBoxA(nullptr, text.c_str(), modSharpwell::AppProductName.c_str(), MB_OK | style);
      }};
  if (!LoadMainWindow(self.baseName, steps)) return 1;
  return RunMessageLoop(window->Hwnd());
}
