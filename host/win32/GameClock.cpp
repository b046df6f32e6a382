// The game clock on Windows: a system timer of the calling thread, without a window.
// Its callbacks come through the host's message loop (DispatchMessage), on its thread.
#include "host/GameClock.h"

#include <windows.h>

#include "host/KaveloGame.h"
#include "host/ModuleState.h"

namespace kavelo::host {
namespace {

// The callback reaches games of the C interface: one destroyed in it is freed afterwards.
// No exception may unwind into the system's dispatcher.
void CALLBACK ClockProc(HWND, UINT, UINT_PTR id, DWORD) {
  try {
    const CallScope scope;
    ServeClockTick(id);
  } catch (...) {
  }
}

}  // namespace

void StartClock() {
  ModuleState& module = Module();
  StopClock();
  module.clockTimerId = SetTimer(nullptr, 0, kClockIntervalMs, ClockProc);
}

// The id is forgotten once killed: the system may hand it out again to a timer of the
// host's own, which a later stop must not kill.
void StopClock() {
  ModuleState& module = Module();
  if (module.clockTimerId != 0) KillTimer(nullptr, module.clockTimerId);
  module.clockTimerId = 0;
}

}  // namespace kavelo::host
