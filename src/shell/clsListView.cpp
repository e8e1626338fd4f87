#include "shell/clsListView.h"

#include "platform/WindowApi.h"

void clsListView::SetStyleBit(std::uint32_t bit, bool on) {
  platform::SendMessageA(BoundHwnd, kSetExtendedStyle, bit, on ? bit : 0);
}
