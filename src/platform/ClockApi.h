#pragma once
// The clock the progress display is paced by: seconds since midnight, with fractions.
namespace platform {
float SecondsSinceMidnight();
}  // namespace platform
