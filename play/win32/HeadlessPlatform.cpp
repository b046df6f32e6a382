// A game that plays itself on Windows: the system timer's callback comes through the
// message loop. System timers follow the system's clock only, so a fast game runs in real
// time here, and the system's sound service has no silent device to choose.
#include "HeadlessPlatform.h"

#include <windows.h>

namespace kavelo::play {

void BeginHeadless(bool /*fast*/) {}

void ServeClock(bool /*fast*/) {
  MSG msg;
  if (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
}

void EndHeadless(bool /*fast*/) {}

}  // namespace kavelo::play
