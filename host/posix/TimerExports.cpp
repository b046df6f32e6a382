// The host's side of the clock: its event loop serves this thread's timer queue.
#include <PlgKavelo/Kavelo.h>

#include "host/KaveloGame.h"
#include "platform/posix/TimerQueue.h"

using kavelo::platform::ThreadTimerQueue;

extern "C" {

int KaveloTimerFd() {
  try {
    return ThreadTimerQueue().Fd();
  } catch (...) {
    return -1;
  }
}

int KaveloTimeoutMs() {
  try {
    return ThreadTimerQueue().TimeoutMs();
  } catch (...) {
    return -1;
  }
}

int KaveloDispatchTimers() {
  try {
    // The clock's callbacks reach games: one destroyed in them is freed afterwards.
    const kavelo::host::CallScope scope;
    return ThreadTimerQueue().Dispatch();
  } catch (...) {
    return 0;
  }
}

void KaveloSetTimerClock(unsigned long long (*nowMs)()) {
  try {
    if (nowMs == nullptr) {
      ThreadTimerQueue().SetClock(kavelo::platform::MonotonicMs);
    } else {
      ThreadTimerQueue().SetClock([nowMs] { return static_cast<std::uint64_t>(nowMs()); });
    }
  } catch (...) {
  }
}

}  // extern "C"
