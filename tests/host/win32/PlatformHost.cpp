// The test host's platform parts on Windows: the clock is a system timer, which cannot be
// stepped, so the test serves it itself.
#include "host/GameClock.h"
#include "host/KaveloGame.h"
#include "host/ModuleState.h"
#include "tests/host/GameHost.h"

namespace kavelo::test {

std::uintptr_t ClockTimers() { return host::Module().clockTimerId; }

// As the system would: one callback per interval, at most one pending.
SteppedClock::SteppedClock() = default;
SteppedClock::~SteppedClock() = default;

int SteppedClock::Advance(std::uint64_t ms) {
  const std::uintptr_t timer = host::Module().clockTimerId;
  if (timer != m_timer) m_timer = timer, m_elapsed = 0;  // a new timer starts a new grid
  if (timer == 0) return 0;
  m_elapsed += ms;
  if (m_elapsed < host::kClockIntervalMs) return 0;
  m_elapsed %= host::kClockIntervalMs;
  const host::CallScope scope;  // as the system timer's callback does
  host::ServeClockTick(timer);
  return 1;
}

std::filesystem::path FolderWithReplacementCharacter(const std::filesystem::path& dir) {
  const std::filesystem::path link = dir.wstring() + L"\uFFFD";
  std::filesystem::copy(dir, link, std::filesystem::copy_options::recursive);  // no symbolic links under Wine
  return link;
}

}  // namespace kavelo::test
