#pragma once
// The game clock: ten ticks a second to the current instance, and a second of game time
// after every tenth tick.

#include <cstdint>

namespace kavelo::host {

inline constexpr unsigned kClockIntervalMs = 100;
inline constexpr unsigned kTicksPerSecond = 10;

// Starts a new clock timer on this thread and makes it the one the clock serves. The
// timer it replaces is stopped: its ticks would be ignored anyway.
void StartClock();
// Stops the timer the clock serves, if it runs on this thread.
void StopClock();
// One callback of a clock timer: a tick to the current instance, and a second of game
// time after every tenth; a timer that the clock no longer serves does nothing.
void ServeClockTick(std::uintptr_t timerId);

}  // namespace kavelo::host
