#include "shell/window/Win32Form.h"

#include <commctrl.h>

#include <vector>

void Win32Timer::SetInterval(std::uint32_t milliseconds) {
  schedule_.SetInterval(milliseconds);
  if (enabled_) SetEnabled(true);
}

void Win32Timer::SetEnabled(bool enabled) {
  // Setting the timer again restarts its count, as enabling a timer does.
  if (enabled) {
    SetTimer(owner_, id_, schedule_.Interval(), nullptr);
    schedule_.Armed(GetTickCount64());
  } else if (enabled_) {
    KillTimer(owner_, id_);
  }
  enabled_ = enabled;
}

void Win32Timer::Restart() {
  if (!enabled_)
    SetEnabled(true);
  else
    schedule_.Restarted(GetTickCount64());
}

bool Win32Timer::TickIsDue() {
  std::uint32_t rearm = 0;
  const bool due = schedule_.TickIsDue(GetTickCount64(), rearm);
  if (rearm) SetTimer(owner_, id_, rearm, nullptr);
  return due;
}

bool Win32CheckBox::Checked() const {
  return SendMessageA(button_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32CheckBox::SetChecked(bool checked) {
  if (Checked() == checked) return;
  SendMessageA(button_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  Clicked();
}

Win32Label::Win32Label(HWND label, HWND toolTips) : label_(label), toolTips_(toolTips) {}

void Win32Label::SetCaption(const std::string& text) { SetWindowTextA(label_, text.c_str()); }

std::string Win32Label::Caption() const {
  int length = GetWindowTextLengthA(label_);
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  GetWindowTextA(label_, buffer.data(), length + 1);
  return std::string(buffer.data());
}

void Win32Label::SetToolTip(const std::string& text) {
  toolTip_ = text;
  TOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = GetParent(label_);
  info.uId = reinterpret_cast<UINT_PTR>(label_);
  info.lpszText = toolTip_.data();
  SendMessageA(toolTips_, toolAdded_ ? TTM_UPDATETIPTEXTA : TTM_ADDTOOLA, 0,
               reinterpret_cast<LPARAM>(&info));
  toolAdded_ = true;
}

void Win32Label::SetForeColour(Colour colour) {
  colour_ = colour;
  InvalidateRect(label_, nullptr, TRUE);
}

void Win32MenuItem::SetChecked(bool checked) {
  CheckMenuItem(menu_, id_, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool Win32MenuItem::Checked() const {
  return (GetMenuState(menu_, id_, MF_BYCOMMAND) & MF_CHECKED) != 0;
}
