#include "platform/ClockApi.h"

#include <windows.h>

namespace platform {
float SecondsSinceMidnight() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return static_cast<float>(now.wHour * 3600 + now.wMinute * 60 + now.wSecond) +
         static_cast<float>(now.wMilliseconds) / 1000.0f;
}
}  // namespace platform
