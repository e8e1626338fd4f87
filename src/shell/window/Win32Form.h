#pragma once
// The main window's timers, check box, labels and menu items over Win32.
#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/Owners.h"
#include "platform/FormControls.h"
#include "shell/TimerSchedule.h"

// A window timer of `owner`, identified by `id`; the owner's WM_TIMER calls Tick().
class Win32Timer : public Timer {
 public:
  Win32Timer(HWND owner, UINT_PTR id, std::uint32_t interval) : owner_(owner), id_(id), schedule_(interval) {}
  ~Win32Timer() override { SetEnabled(false); }
  Win32Timer(const Win32Timer&) = delete;
  Win32Timer& operator=(const Win32Timer&) = delete;
  void SetInterval(std::uint32_t milliseconds) override;
  std::uint32_t Interval() const override { return schedule_.Interval(); }
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled_; }
  // Restarting only notes the moment: the tick checks it and waits out the rest of the
  // interval, so a burst of restarts costs no system call each.
  void Restart() override;
  // At a WM_TIMER: true when a full interval has passed since the last (re)start or
  // due tick; the system timer is set to what the schedule asks for.
  bool TickIsDue();
  UINT_PTR Id() const { return id_; }

 private:
  HWND owner_;
  UINT_PTR id_;
  TimerSchedule schedule_;  // on the GetTickCount64 clock
  bool enabled_ = false;
};

class Win32CheckBox : public CheckBox {
 public:
  explicit Win32CheckBox(HWND button) : button_(button) {}
  bool Checked() const override;
  void SetChecked(bool checked) override;
  void OnClick(std::function<void()> handler) override { onClick_ = std::move(handler); }
  // The button's BN_CLICKED: the state has changed by the user.
  void Clicked() { if (onClick_) onClick_(); }
  HWND Handle() const { return button_; }

 private:
  HWND button_;
  std::function<void()> onClick_;
};

// A static text with a tool tip and a text colour (painted by the parent's
// WM_CTLCOLORSTATIC through ColourFor).
class Win32Label : public Label {
 public:
  Win32Label(HWND label, HWND toolTips);
  void SetCaption(const std::string& text) override;
  std::string Caption() const override;
  void SetToolTip(const std::string& text) override;
  std::string ToolTip() const override { return toolTip_; }
  void SetForeColour(Colour colour) override;
  Colour ForeColour() const override { return colour_; }
  HWND Handle() const { return label_; }

 private:
  HWND label_;
  HWND toolTips_;
  std::string toolTip_;
  Colour colour_{};
  bool toolAdded_ = false;
};

class Win32MenuItem : public MenuItem {
 public:
  Win32MenuItem(HMENU menu, UINT id) : menu_(menu), id_(id) {}
  void SetChecked(bool checked) override;
  bool Checked() const override;

 private:
  HMENU menu_;
  UINT id_;
};

// The whole of one of the window's pop-up menus: destroyed with the owner.
using PopupMenuOwner = MenuOwner;
