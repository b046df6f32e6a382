// The test host's platform parts on Linux: the clock is this thread's timer queue, stepped
// through a clock of the test's own.
#include <PlgKavelo/Kavelo.h>

#include "platform/posix/TimerQueue.h"
#include "tests/host/GameHost.h"

namespace kavelo::test {

std::uintptr_t ClockTimers() { return platform::ThreadTimerQueue().TimerCount(); }

SteppedClock::SteppedClock() {
  platform::ThreadTimerQueue().SetClock([this] { return m_now; });
}

SteppedClock::~SteppedClock() { platform::ThreadTimerQueue().SetClock(platform::MonotonicMs); }

int SteppedClock::Advance(std::uint64_t ms) {
  m_now += ms;
  return KaveloDispatchTimers();  // as a host serves the clock
}

std::filesystem::path FolderWithReplacementCharacter(const std::filesystem::path& dir) {
  const std::filesystem::path link = dir.string() + "\xEF\xBF\xBD";
  std::filesystem::create_directory_symlink(dir, link);
  return link;
}

}  // namespace kavelo::test
