// The timer queue in the browser has no descriptor: the page's event loop sleeps
// KaveloTimeoutMs between dispatches instead of polling one.
#include "platform/posix/TimerQueue.h"

namespace kavelo::platform {

int TimerQueue::Fd() { return -1; }
void TimerQueue::Rearm() {}
void TimerQueue::DrainFd() {}
void TimerQueue::CloseFd() {}

}  // namespace kavelo::platform
