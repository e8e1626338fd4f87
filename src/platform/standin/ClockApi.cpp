#include <ctime>
#include <sys/time.h>

#include "platform/ClockApi.h"
#include "platform/standin/Clock.h"

namespace platform {
namespace {
std::optional<float> fixedReading;
}

void standin::SetClock(std::optional<float> secondsSinceMidnight) {
  fixedReading = secondsSinceMidnight;
}

float SecondsSinceMidnight() {
  if (fixedReading) return *fixedReading;
  timeval now{};
  ::gettimeofday(&now, nullptr);
  std::tm local{};
  time_t seconds = now.tv_sec;
  ::localtime_r(&seconds, &local);
  return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) +
         static_cast<float>(now.tv_usec) / 1e6f;
}
}  // namespace platform
