#pragma once
// clsListView: the extended list-view styles of one list, set by message. Owns nothing.
#include <cstdint>

class clsListView {
 public:
  static constexpr std::uint32_t kSetExtendedStyle = 0x1036;
  static constexpr std::uint32_t kExCheckboxes = 0x4;
  static constexpr std::uint32_t kExFullRowSelect = 0x20;
  static constexpr std::uint32_t kExDoubleBuffer = 0x10000;

  void BindTo(std::uintptr_t lvwHwnd) { BoundHwnd = lvwHwnd; }
  void Checkboxes(bool Value) { SetStyleBit(kExCheckboxes, Value); }
  void DoubleBuffer(bool Value) { SetStyleBit(kExDoubleBuffer, Value); }
  void FullRowSelect(bool Value) { SetStyleBit(kExFullRowSelect, Value); }

  std::uintptr_t BoundHwnd = 0;

 private:
  // The bit is the mask, so only it changes; the answer is not looked at.
  void SetStyleBit(std::uint32_t bit, bool on);
};
