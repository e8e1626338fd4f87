#pragma once
// The real main window: a top-level Win32 window laid out from the twips table at the
// screen's DPI, with its controls, pop-up menus and timers. It forwards each message
// to a named handler of frmSharpwell.
#include "platform/win32/Owners.h"
#include "platform/FormControls.h"
#include "platform/Layout.h"
#include "shell/frmSharpwell.h"
#include "shell/window/DragDrop.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <functional>
#include <memory>
#include <string>

// The pixel DPI of the screen (LOGPIXELSY).
int ScreenDpi();

class MainWindow : public FormWindow {
 public:
  // Creates the window hidden, with all its controls laid out at `dpi`. Returns null
  // when the window cannot be created; the system's error is then in CurrentError.
  static std::unique_ptr<MainWindow> Create(HINSTANCE instance, int dpi = ScreenDpi());
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  frmSharpwell& Form() { return *form_; }
  HWND Hwnd() const { return hwnd_; }
  HWND Control(ControlId id) const;
  HMENU Menu(PopupMenu menu) const;
  // The drop target registered on a list (for tests that hand it data directly).
  IDropTarget* DropTarget(ControlId list) const;
  // When set, EndProcess only records the request (for tests that keep running).
  void SetEndProcessHook(std::function<void()> hook) { endProcessHook_ = std::move(hook); }

  // FormWindow
  bool Visible() const override;
  void Show() override;
  void Hide() override;
  void Restore() override;
  void Activate() override;
  std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(hwnd_); }
  std::uintptr_t IconOwnerHandle() const override;
  std::uintptr_t IconHandle() const override { return reinterpret_cast<std::uintptr_t>(icon_.Get()); }
  double TwipsPerPixelY() const override;
  void ShowPopupMenu(PopupMenu menu) override;
  void MsgBox(const std::string& text, std::uint32_t style) override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& proposed) override;
  void DoEvents() override;
  void EndProcess() override;

  struct Parts;  // the controls, built once the window has a handle

 private:
  MainWindow(HINSTANCE instance, int dpi);
  // Build's steps, in order.
  bool Build();
  bool CreateFrame();
  void LoadIconAndFont();
  PixelRect Place(ControlId id) const;
  void CreateControls(Parts& p) const;
  bool AllControlsCreated(const Parts& p) const;
  void SetUpControls(Parts& p) const;
  void CreateTimersAndMenus(Parts& p) const;
  void ConnectForm();
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnSize();
  void OnTimer(UINT_PTR id);
  void OnCommand(UINT id, UINT code);
  LRESULT OnColourStatic(HDC dc, HWND control);
  LRESULT OnNotify(const NMHDR& header);
  void BeginProgramsDrag();

  HINSTANCE instance_;
  OleSession ole_;  // drag and drop of file lists; ends after everything below
  HWND hwnd_ = nullptr;
  IconOwner icon_;
  FontOwner font_;
  int dpi_ = 96;
  std::unique_ptr<Parts> parts_;
  std::unique_ptr<frmSharpwell> form_;
  std::function<void()> endProcessHook_;
};
