#include <PlgKavelo/KaveloFather.h>

#include "GameClock.h"
#include "ModuleState.h"

// The clock's way in to the handlers of the tick and time events: it calls the same ones
// that InputEvent does, without writing a text for InputEvent to read back.
class KaveloClockEvents {
 public:
  static void Tick(CKaveloFather& game) { game.HandleTick(); }
  static void AddSecond(CKaveloFather& game) { game.HandleAddSeconds(1); }
};

namespace kavelo::host {

void ServeClockTick(std::uintptr_t timerId) {
  ModuleState& module = Module();
  if (timerId != module.clockTimerId) return;
  // The current instance is read again before each event: a host may destroy or
  // replace its object from inside a callback.
  if (CKaveloFather* target = module.currentInstance) KaveloClockEvents::Tick(*target);
  if (++module.tickCounter >= kTicksPerSecond) {
    if (CKaveloFather* target = module.currentInstance) KaveloClockEvents::AddSecond(*target);
    module.tickCounter = 0;
  }
}

}  // namespace kavelo::host
