#include <PlgKavelo/KaveloFather.h>

#include "GameClock.h"
#include "ModuleState.h"

namespace kavelo::host {

void ServeClockTick(std::uintptr_t timerId) {
  ModuleState& module = Module();
  if (timerId != module.clockTimerId) return;
  // The current instance is read again before each event: a host may destroy or
  // replace its object from inside a callback.
  if (CKaveloFather* target = module.currentInstance) target->InputEvent(L"type,0");
  if (++module.tickCounter >= kTicksPerSecond) {
    if (CKaveloFather* target = module.currentInstance) target->InputEvent(L"type,64;time,1;");
    module.tickCounter = 0;
  }
}

}  // namespace kavelo::host
