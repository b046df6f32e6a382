// A game that plays itself on Linux: SDL's silent audio driver, and the plug-in's timer
// queue served through its descriptor, or stepped by a clock of our own.
#include "HeadlessPlatform.h"

#include <poll.h>

#include <cstdlib>

#include <PlgKavelo/Kavelo.h>

namespace kavelo::play {
namespace {

// The clock of a game run faster than real time: it jumps to the next due timer.
unsigned long long g_virtualNowMs = 0;
unsigned long long VirtualNow() { return g_virtualNowMs; }

}  // namespace

void BeginHeadless(bool fast) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);  // nobody listens to a game that plays itself
  if (fast) KaveloSetTimerClock(VirtualNow);
}

void ServeClock(bool fast) {
  const int timeout = KaveloTimeoutMs();
  if (timeout > 0) {
    if (fast) {
      g_virtualNowMs += static_cast<unsigned long long>(timeout);
    } else {
      pollfd p{KaveloTimerFd(), POLLIN, 0};
      poll(&p, 1, timeout);
    }
  }
  KaveloDispatchTimers();
}

void EndHeadless(bool fast) {
  if (fast) KaveloSetTimerClock(nullptr);
}

}  // namespace kavelo::play
