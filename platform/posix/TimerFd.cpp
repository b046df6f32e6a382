// The timer queue's descriptor on Linux: a timerfd armed for the earliest due time, which
// the host's loop polls.
#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdint>

#include "platform/posix/TimerQueue.h"

namespace kavelo::platform {

int TimerQueue::Fd() {
  if (m_fd < 0) {
    m_fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    Rearm();
  }
  return m_fd;
}

void TimerQueue::Rearm() {
  if (m_fd < 0) return;
  itimerspec due{};
  const int timeout = TimeoutMs();
  if (timeout == 0) {
    due.it_value.tv_nsec = 1;  // due now: readable at once
  } else if (timeout > 0) {
    due.it_value.tv_sec = timeout / 1000;
    due.it_value.tv_nsec = static_cast<long>(timeout % 1000) * 1000000L;
  }
  timerfd_settime(m_fd, 0, &due, nullptr);
}

void TimerQueue::DrainFd() {
  if (m_fd < 0) return;
  std::uint64_t expirations;
  [[maybe_unused]] const auto n = read(m_fd, &expirations, sizeof expirations);
}

void TimerQueue::CloseFd() {
  if (m_fd >= 0) close(m_fd);
}

}  // namespace kavelo::platform
