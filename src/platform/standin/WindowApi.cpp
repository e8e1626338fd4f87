#include "platform/WindowApi.h"

namespace platform {
std::intptr_t SendMessageA(std::uintptr_t, std::uint32_t, std::uintptr_t, std::intptr_t) {
  return 0;
}
}  // namespace platform
