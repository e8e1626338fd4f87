#pragma once
// The stand-in clock: the local time, unless a test sets the reading itself.
#include <optional>

namespace platform::standin {
void SetClock(std::optional<float> secondsSinceMidnight);
}  // namespace platform::standin
