#pragma once
// clsListView: the extended list-view styles of one list. Owns nothing.
#include <cstdint>

#include "platform/ListControls.h"

class clsListView {
 public:
  static constexpr std::uint32_t kExCheckboxes = 0x4;
  static constexpr std::uint32_t kExFullRowSelect = 0x20;
  static constexpr std::uint32_t kExDoubleBuffer = 0x10000;

  void BindTo(ListView& list) { Bound = &list; }
  void Checkboxes(bool Value) { SetStyleBit(kExCheckboxes, Value); }
  void DoubleBuffer(bool Value) { SetStyleBit(kExDoubleBuffer, Value); }
  void FullRowSelect(bool Value) { SetStyleBit(kExFullRowSelect, Value); }

 private:
  // The bit is the mask, so only it changes.
  void SetStyleBit(std::uint32_t bit, bool on) {
    if (Bound) Bound->SetExtendedStyle(bit, on ? bit : 0);
  }

  ListView* Bound = nullptr;
};
