#pragma once
// The module-wide values: the object that receives the clock's events, the id of the
// timer the clock serves, and the ticks counted since the last time event.

#include <cstdint>

class CKaveloFather;

namespace kavelo::host {

struct ModuleState {
  CKaveloFather* currentInstance = nullptr;
  std::uintptr_t clockTimerId = 0;  // the platform's timer id; 0 for none
  std::uint32_t tickCounter = 0;
};

ModuleState& Module();

}  // namespace kavelo::host
