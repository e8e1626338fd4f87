#pragma once
// The local date and time of day, as GetLocalTime gives them.
#include <cstdint>

namespace platform {

struct LocalTime {
  std::uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

LocalTime GetLocalTime();

}  // namespace platform
