#pragma once
// A queue of periodic timers owned by one thread, standing in for window-less system
// timers. Callbacks run only inside Dispatch, on the thread that owns the queue. Due
// times stay on each timer's interval grid, so a timer does not drift; like a message
// queue, a timer has at most one pending callback, so a late dispatch runs it once.

#include <cstdint>
#include <functional>
#include <vector>

namespace kavelo::platform {

using TimerId = std::uintptr_t;  // never 0 for a live timer
using TimerProc = void (*)(TimerId id, std::uint32_t timeMs);
using MillisecondClock = std::function<std::uint64_t()>;

// Milliseconds of CLOCK_MONOTONIC.
std::uint64_t MonotonicMs();

class TimerQueue {
 public:
  explicit TimerQueue(MillisecondClock clock = MonotonicMs);
  ~TimerQueue();
  TimerQueue(const TimerQueue&) = delete;
  TimerQueue& operator=(const TimerQueue&) = delete;

  // Starts a timer whose first callback is due one interval from now. An interval of 0
  // counts as 1 ms. Returns the new timer's id, unique across all queues, or 0 when the
  // procedure is null.
  TimerId SetTimer(std::uint32_t intervalMs, TimerProc proc);
  // Stops a timer of this queue; false when it is not one. Safe inside a callback,
  // its own included.
  bool KillTimer(TimerId id);
  // Runs the callback of every timer that is due now, earliest first; returns how many ran.
  int Dispatch();
  // Milliseconds until the next timer is due, 0 when one is due, -1 when there is none.
  int TimeoutMs() const;
  // A descriptor that polls readable when a timer may be due (created on first use), or
  // -1 where the platform has none: its host's loop sleeps TimeoutMs() instead.
  int Fd();
  // Replaces the clock, for tests that step time. Due times already set stay as they are.
  void SetClock(MillisecondClock clock);
  std::size_t TimerCount() const { return m_timers.size(); }

 private:
  struct Timer {
    TimerId id;
    std::uint32_t intervalMs;
    std::uint64_t dueMs;
    TimerProc proc;
  };
  // The descriptor's side, from the platform's sibling file (posix/TimerFd.cpp, or
  // web/TimerNoFd.cpp where there is none): arm it for the earliest due time, drain its
  // readiness, close it.
  void Rearm();
  void DrainFd();
  void CloseFd();

  MillisecondClock m_clock;
  std::vector<Timer> m_timers;
  int m_fd = -1;
};

// The queue of the calling thread.
TimerQueue& ThreadTimerQueue();

}  // namespace kavelo::platform
