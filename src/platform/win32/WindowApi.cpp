#include "platform/WindowApi.h"

#include <windows.h>

namespace platform {
std::intptr_t SendMessageA(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) {
  return ::SendMessageA(reinterpret_cast<HWND>(window), message, wParam, lParam);
}
}  // namespace platform
