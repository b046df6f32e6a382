#include "logic/KaveloClocks.h"

#include <chrono>

KaveloClocks SystemClocks() {
  KaveloClocks clocks;
  clocks.tickMs = [] {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
  };
  clocks.calendarSeconds = [] {
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::seconds>(since).count());
  };
  return clocks;
}
