// The host's side of the clock: its event loop serves this thread's timer queue.
#include <PlgKavelo/KaveloFather.h>

#include "platform/TimerQueue.h"

int KaveloTimerFd() { return kavelo::platform::ThreadTimerQueue().Fd(); }
int KaveloTimeoutMs() { return kavelo::platform::ThreadTimerQueue().TimeoutMs(); }
int KaveloDispatchTimers() { return kavelo::platform::ThreadTimerQueue().Dispatch(); }

void KaveloSetTimerClock(unsigned long long (*nowMs)()) {
  if (nowMs == nullptr) {
    kavelo::platform::ThreadTimerQueue().SetClock(kavelo::platform::MonotonicMs);
  } else {
    kavelo::platform::ThreadTimerQueue().SetClock([nowMs] { return static_cast<std::uint64_t>(nowMs()); });
  }
}
