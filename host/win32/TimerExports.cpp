// The Linux host's clock functions on Windows: the host's message loop serves the system
// timers, so these only let one host source build on both systems.
#include <PlgKavelo/KaveloFather.h>

int KaveloTimerFd() { return -1; }
int KaveloTimeoutMs() { return -1; }
int KaveloDispatchTimers() { return 0; }
void KaveloSetTimerClock(unsigned long long (*)()) {}
