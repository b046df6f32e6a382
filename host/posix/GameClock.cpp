// The game clock on Linux: a timer of this thread's timer queue, which the host serves.
#include "host/GameClock.h"

#include "host/ModuleState.h"
#include "platform/posix/TimerQueue.h"

namespace kavelo::host {
namespace {

void ClockProc(platform::TimerId id, std::uint32_t /*timeMs*/) { ServeClockTick(id); }

}  // namespace

void StartClock() {
  ModuleState& module = Module();
  platform::TimerQueue& queue = platform::ThreadTimerQueue();
  queue.KillTimer(module.clockTimerId);
  module.clockTimerId = queue.SetTimer(kClockIntervalMs, ClockProc);
}

void StopClock() { platform::ThreadTimerQueue().KillTimer(Module().clockTimerId); }

}  // namespace kavelo::host
