#pragma once
// The main window's other controls, as the handlers use them: timers, the check box,
// labels, menu check marks, the window itself and its modal dialogs. Like the lists
// (ListControls.h), each has a real implementation over Win32 and one in memory, so
// the handlers run the same against either.
#include <cstdint>
#include <functional>
#include <string>

// A window timer: each tick handler disables it first, so one arming gives one tick.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual void SetInterval(std::uint32_t milliseconds) = 0;
  virtual std::uint32_t Interval() const = 0;
  // Enabling (again) starts the interval afresh.
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  // Disables and enables the timer again in one step: its interval starts afresh.
  virtual void Restart() = 0;
};

class CheckBox {
 public:
  virtual ~CheckBox() = default;
  virtual bool Checked() const = 0;
  // A change of state, by code as by the user, runs the click handler at once.
  virtual void SetChecked(bool checked) = 0;
  virtual void OnClick(std::function<void()> handler) = 0;
};

struct Colour {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Colour&) const = default;
};

class Label {
 public:
  virtual ~Label() = default;
  virtual void SetCaption(const std::string& text) = 0;
  virtual std::string Caption() const = 0;
  virtual void SetToolTip(const std::string& text) = 0;
  virtual std::string ToolTip() const = 0;
  virtual void SetForeColour(Colour colour) = 0;
  virtual Colour ForeColour() const = 0;
};

class MenuItem {
 public:
  virtual ~MenuItem() = default;
  virtual void SetChecked(bool checked) = 0;
  virtual bool Checked() const = 0;
};

// Message box styles, as the system numbers them.
namespace MsgBoxStyle {
inline constexpr std::uint32_t Critical = 16;
inline constexpr std::uint32_t Exclamation = 48;
inline constexpr std::uint32_t Information = 64;
}  // namespace MsgBoxStyle

enum class PopupMenu { Compat, Tray };

// Key codes, the shift state (a mask: 1 Shift, 2 Ctrl, 4 Alt) and mouse buttons, as the
// lists' handlers receive them.
namespace keys {
inline constexpr int A = 65;
inline constexpr int Delete = 46;
inline constexpr int CtrlOnly = 2;
inline constexpr int RightButton = 2;
}  // namespace keys

// The main window as a whole.
class FormWindow {
 public:
  virtual ~FormWindow() = default;
  virtual bool Visible() const = 0;
  virtual void Show() = 0;          // not modal
  virtual void Hide() = 0;
  virtual void Restore() = 0;       // window state normal
  virtual void Activate() = 0;      // the argument-less activation before showing
  virtual std::uintptr_t Handle() const = 0;
  virtual std::uintptr_t IconOwnerHandle() const = 0;  // pcbIcon16
  virtual std::uintptr_t IconHandle() const = 0;       // the window's own 32x32 icon
  virtual double TwipsPerPixelY() const = 0;
  virtual void ShowPopupMenu(PopupMenu menu) = 0;      // at the mouse pointer
  // Modal message box with an OK button, titled with the product name.
  virtual void MsgBox(const std::string& text, std::uint32_t style) = 0;
  // Modal input box; an empty text when the user cancels.
  virtual std::string InputBox(const std::string& prompt, const std::string& title,
                               const std::string& proposed) = 0;
  // Lets the window system handle all pending messages.
  virtual void DoEvents() = 0;
  // Ends the process at once, without further close processing.
  virtual void EndProcess() = 0;
};
