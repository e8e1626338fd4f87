#pragma once
// Window messages sent to controls by handle. The native build has no windows: there a
// message to any handle does nothing and answers 0, as for a window that is gone.
#include <cstdint>

namespace platform {
std::intptr_t SendMessageA(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam);
}  // namespace platform
