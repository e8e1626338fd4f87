#include "platform/LocalTimeApi.h"

#include <ctime>

namespace platform {
LocalTime GetLocalTime() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  return {static_cast<std::uint16_t>(local.tm_year + 1900), static_cast<std::uint16_t>(local.tm_mon + 1),
          static_cast<std::uint16_t>(local.tm_mday), static_cast<std::uint16_t>(local.tm_hour),
          static_cast<std::uint16_t>(local.tm_min), static_cast<std::uint16_t>(local.tm_sec)};
}
}  // namespace platform
