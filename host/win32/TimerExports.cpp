// The Linux host's clock functions on Windows: the host's message loop serves the system
// timers, so these only let one host source build on both systems.
#include <PlgKavelo/Kavelo.h>

extern "C" {

int PLGKAVELO_CALL KaveloTimerFd(void) { return -1; }
int PLGKAVELO_CALL KaveloTimeoutMs(void) { return -1; }
int PLGKAVELO_CALL KaveloDispatchTimers(void) { return 0; }
void PLGKAVELO_CALL KaveloSetTimerClock(unsigned long long(PLGKAVELO_CALL*)(void)) {}

}  // extern "C"
