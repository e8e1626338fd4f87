#pragma once
// The main window's timers, check box, labels, menu items and the window itself, in
// memory: what the handlers did is kept for tests to read, and the dialogs answer
// from a script.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/FormControls.h"

class MemoryTimer : public Timer {
 public:
  explicit MemoryTimer(std::uint32_t interval) : interval_(interval) {}
  void SetInterval(std::uint32_t milliseconds) override { interval_ = milliseconds; }
  std::uint32_t Interval() const override { return interval_; }
  void SetEnabled(bool enabled) override {
    enabled_ = enabled;
    if (enabled) ++armings_;
  }
  bool Enabled() const override { return enabled_; }
  void Restart() override {
    SetEnabled(false);
    SetEnabled(true);
  }
  int Armings() const { return armings_; }  // how often it was enabled (restarts count)

 private:
  std::uint32_t interval_;
  bool enabled_ = false;
  int armings_ = 0;
};

class MemoryCheckBox : public CheckBox {
 public:
  bool Checked() const override { return checked_; }
  void SetChecked(bool checked) override {
    if (checked_ == checked) return;
    checked_ = checked;
    if (onClick_) onClick_();
  }
  void OnClick(std::function<void()> handler) override { onClick_ = std::move(handler); }

 private:
  bool checked_ = false;
  std::function<void()> onClick_;
};

class MemoryLabel : public Label {
 public:
  void SetCaption(const std::string& text) override { caption_ = text; }
  std::string Caption() const override { return caption_; }
  void SetToolTip(const std::string& text) override { toolTip_ = text; }
  std::string ToolTip() const override { return toolTip_; }
  void SetForeColour(Colour colour) override { colour_ = colour; }
  Colour ForeColour() const override { return colour_; }

 private:
  std::string caption_, toolTip_;
  Colour colour_{};
};

class MemoryMenuItem : public MenuItem {
 public:
  void SetChecked(bool checked) override { checked_ = checked; }
  bool Checked() const override { return checked_; }

 private:
  bool checked_ = false;
};

struct ShownMessage {
  std::string text;
  std::uint32_t style;
};

class MemoryFormWindow : public FormWindow {
 public:
  bool Visible() const override { return visible_; }
  void Show() override { visible_ = true; }
  void Hide() override { visible_ = false; }
  void Restore() override { ++restores; }
  void Activate() override { ++activations; }
  std::uintptr_t Handle() const override { return 0x1000; }
  std::uintptr_t IconOwnerHandle() const override { return 0x1010; }
  std::uintptr_t IconHandle() const override { return 0x2000; }
  double TwipsPerPixelY() const override { return twipsPerPixel; }
  void ShowPopupMenu(PopupMenu menu) override { popups.push_back(menu); }
  void MsgBox(const std::string& text, std::uint32_t style) override {
    messages.push_back({text, style});
  }
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& proposed) override;
  void DoEvents() override {
    ++doEvents;
    if (onDoEvents) onDoEvents();
  }
  void EndProcess() override { ended = true; }

  double twipsPerPixel = 15;
  int restores = 0, activations = 0, doEvents = 0;
  bool ended = false;
  std::vector<PopupMenu> popups;
  std::vector<ShownMessage> messages;
  // Answers for InputBox, in order; an empty answer when none is left (Cancel).
  std::deque<std::string> inputAnswers;
  struct InputRequest {
    std::string prompt, title, proposed;
  };
  std::vector<InputRequest> inputRequests;
  std::function<void()> onDoEvents;

 private:
  bool visible_ = false;
};
