#pragma once
// When the ticks of a window timer are due. The system timer and the tick count have
// different granularity, so a tick can arrive a little before a full interval has
// passed; and a restart only notes the moment, leaving the system timer as it was.
// At each tick the schedule says whether it is due and, when the system timer must
// fire at another period from now on, which one.
#include <cstdint>

class TimerSchedule {
 public:
  explicit TimerSchedule(std::uint32_t interval) : interval_(interval) {}
  std::uint32_t Interval() const { return interval_; }
  void SetInterval(std::uint32_t interval) { interval_ = interval; }
  // The system timer was set to the full interval at `now` (milliseconds).
  void Armed(std::uint64_t now) {
    startedAt_ = now;
    period_ = interval_;
  }
  // The count starts afresh at `now`; the system timer keeps its period.
  void Restarted(std::uint64_t now) { startedAt_ = now; }
  // A tick of the system timer at `now`: true when a full interval has passed since the
  // count started, which then starts afresh. `rearm` receives the period to set the
  // system timer to (the rest of the interval after an early tick, the full interval
  // after a due one), or 0 when its period is right as it is.
  bool TickIsDue(std::uint64_t now, std::uint32_t& rearm) {
    const std::uint64_t elapsed = now - startedAt_;
    const bool due = elapsed >= interval_;
    const auto wanted = due ? interval_ : static_cast<std::uint32_t>(interval_ - elapsed);
    if (due) startedAt_ = now;
    rearm = wanted == period_ ? 0 : wanted;
    period_ = wanted;
    return due;
  }

 private:
  std::uint32_t interval_;
  std::uint64_t startedAt_ = 0;
  std::uint32_t period_ = 0;  // what the system timer was last set to
};
