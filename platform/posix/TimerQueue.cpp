#include "platform/posix/TimerQueue.h"

#include <time.h>

#include <algorithm>
#include <atomic>
#include <climits>

namespace kavelo::platform {
namespace {
std::atomic<TimerId> g_nextId{1};
}

std::uint64_t MonotonicMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::uint64_t>(ts.tv_sec) * 1000u + static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
}

TimerQueue::TimerQueue(MillisecondClock clock) : m_clock(std::move(clock)) {}

TimerQueue::~TimerQueue() { CloseFd(); }

void TimerQueue::SetClock(MillisecondClock clock) {
  m_clock = std::move(clock);
  Rearm();
}

TimerId TimerQueue::SetTimer(std::uint32_t intervalMs, TimerProc proc) {
  if (proc == nullptr) return 0;
  intervalMs = std::max<std::uint32_t>(intervalMs, 1);
  TimerId id = g_nextId.fetch_add(1);
  if (id == 0) id = g_nextId.fetch_add(1);  // after a wrap-around, skip 0
  m_timers.push_back({id, intervalMs, m_clock() + intervalMs, proc});
  Rearm();
  return id;
}

bool TimerQueue::KillTimer(TimerId id) {
  const auto it = std::find_if(m_timers.begin(), m_timers.end(), [id](const Timer& t) { return t.id == id; });
  if (it == m_timers.end()) return false;
  m_timers.erase(it);
  Rearm();
  return true;
}

int TimerQueue::Dispatch() {
  DrainFd();
  const std::uint64_t now = m_clock();
  std::vector<Timer> due;
  for (Timer& t : m_timers) {
    if (t.dueMs > now) continue;
    due.push_back(t);
    t.dueMs += (((now - t.dueMs) / t.intervalMs) + 1) * t.intervalMs;  // next grid point after now
  }
  std::stable_sort(due.begin(), due.end(), [](const Timer& a, const Timer& b) { return a.dueMs < b.dueMs; });
  int ran = 0;
  for (const Timer& t : due) {
    // A callback may have killed a timer that was due after it.
    const bool alive = std::any_of(m_timers.begin(), m_timers.end(), [&](const Timer& x) { return x.id == t.id; });
    if (!alive) continue;
    t.proc(t.id, static_cast<std::uint32_t>(now));
    ++ran;
  }
  Rearm();
  return ran;
}

int TimerQueue::TimeoutMs() const {
  if (m_timers.empty()) return -1;
  std::uint64_t earliest = m_timers.front().dueMs;
  for (const Timer& t : m_timers) earliest = std::min(earliest, t.dueMs);
  const std::uint64_t now = m_clock();
  if (earliest <= now) return 0;
  return static_cast<int>(std::min<std::uint64_t>(earliest - now, INT_MAX));
}

TimerQueue& ThreadTimerQueue() {
  thread_local TimerQueue queue;
  return queue;
}

}  // namespace kavelo::platform
