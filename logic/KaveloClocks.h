#pragma once
// The two clocks that seed the shuffles. The board reads them only through this pair, so
// a test can hand it clocks that make a shuffle repeatable.

#include <cstdint>
#include <functional>

struct KaveloClocks {
  std::function<std::uint32_t()> tickMs;           // milliseconds of a monotonic clock, low 32 bits
  std::function<std::uint32_t()> calendarSeconds;  // calendar time in seconds, low 32 bits
};

// The running system's clocks.
KaveloClocks SystemClocks();
