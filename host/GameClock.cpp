#include "GameClock.h"

#include <PlgKavelo/KaveloFather.h>

#include "ModuleState.h"

namespace kavelo::host {
namespace {

void ClockProc(platform::TimerId id, std::uint32_t /*timeMs*/) {
  ModuleState& module = Module();
  if (id != module.clockTimerId) return;
  // The current instance is read again before each event: a host may destroy or
  // replace its object from inside a callback.
  if (CKaveloFather* target = module.currentInstance) target->InputEvent(L"type,0");
  if (++module.tickCounter >= kTicksPerSecond) {
    if (CKaveloFather* target = module.currentInstance) target->InputEvent(L"type,64;time,1;");
    module.tickCounter = 0;
  }
}

}  // namespace

void StartClock() {
  ModuleState& module = Module();
  platform::TimerQueue& queue = platform::ThreadTimerQueue();
  queue.KillTimer(module.clockTimerId);
  module.clockTimerId = queue.SetTimer(kClockIntervalMs, ClockProc);
}

void StopClock() { platform::ThreadTimerQueue().KillTimer(Module().clockTimerId); }

}  // namespace kavelo::host
