#pragma once
// The module-wide values: the object that receives the clock's events, the id of the
// timer the clock serves, and the ticks counted since the last time event.

#include <cstdint>

#include "platform/TimerQueue.h"

class CKaveloFather;

namespace kavelo::host {

struct ModuleState {
  CKaveloFather* currentInstance = nullptr;
  platform::TimerId clockTimerId = 0;
  std::uint32_t tickCounter = 0;
};

ModuleState& Module();

}  // namespace kavelo::host
