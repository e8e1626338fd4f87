#pragma once
// clsListView: the extended list-view styles of one list, set by message. Owns nothing.
#include <cstdint>

class clsListView {
 public:
  static constexpr std::uint32_t LVM_SETEXTENDEDLISTVIEWSTYLE = 0x1036;
  static constexpr std::uint32_t LVS_EX_CHECKBOXES = 0x4;
  static constexpr std::uint32_t LVS_EX_FULLROWSELECT = 0x20;
  static constexpr std::uint32_t LVS_EX_DOUBLEBUFFER = 0x10000;

  void BindTo(std::uintptr_t lvwHwnd) { BoundHwnd = lvwHwnd; }
  void Checkboxes(bool Value) { SetStyleBit(LVS_EX_CHECKBOXES, Value); }
  void DoubleBuffer(bool Value) { SetStyleBit(LVS_EX_DOUBLEBUFFER, Value); }
  void FullRowSelect(bool Value) { SetStyleBit(LVS_EX_FULLROWSELECT, Value); }

  std::uintptr_t BoundHwnd = 0;

 private:
  // The bit is the mask, so only it changes; the answer is not looked at.
  void SetStyleBit(std::uint32_t bit, bool on);
};
