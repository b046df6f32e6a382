#include "GameHost.h"

#include "host/GameClock.h"
#include "host/KaveloGame.h"
#include "host/ModuleState.h"
#include "platform/TimerQueue.h"
#include "tests/support/TestFiles.h"

namespace kavelo::test {
void WriteSolidBmp(const std::filesystem::path& file, int width, int height, std::uint8_t r, std::uint8_t g,
                   std::uint8_t b) {
  WriteFile(file.string(), Encode(Solid(width, height, {r, g, b, 255}), Format::kBmp24));
}

Rgb KindColour(int kind) {
  return {std::uint8_t(20 + kind * 23), std::uint8_t(250 - kind * 19), std::uint8_t(60 + (kind * 71) % 190)};
}

ArtFolder::ArtFolder(int tiles, int trailFrames, int cell) {
  for (int k = 1; k <= tiles; ++k) {
    const Rgb c = KindColour(k);
    WriteSolidBmp(Path("tile" + std::to_string(k) + ".bmp"), cell, cell, c.r, c.g, c.b);
  }
  for (int f = 1; f <= trailFrames; ++f) {
    WriteSolidBmp(Path("trail" + std::to_string(f) + ".bmp"), cell, cell, 255, 255, std::uint8_t(f));
  }
  WriteSolidBmp(Path("choose.bmp"), cell, cell, 255, 0, 0);
  WriteSolidBmp(Path("timebar.bmp"), 40, 4, 0, 200, 0);
}

std::wstring ArtFolder::SetUp(int w, int h, int kinds, int copies, int screenWidth, int screenHeight,
                              int frames) const {
  const std::string text = CommandText(KAVELO_PARAM_SET_UP) + "w," + std::to_string(w) + ";h," +
                           std::to_string(h) + ";c," + std::to_string(kinds) + ";r," + std::to_string(copies) + ";screenWidth," +
                           std::to_string(screenWidth) + ";screenHeight," + std::to_string(screenHeight) +
                           ";screenBits,32;zeroX,0;zeroY,0;iconPath," + Path("tile") +
                           ";iconType,.bmp;animationFrames," + std::to_string(frames) + ";animationPath," +
                           Path("trail") + ";animationType,.bmp;";
  return W(text);
}

#ifdef _WIN32
std::uintptr_t ClockTimers() { return host::Module().clockTimerId; }

// System timers cannot be stepped; the test serves the clock's timer itself, as the
// system would: one callback per interval, at most one pending.
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
#else
std::uintptr_t ClockTimers() { return platform::ThreadTimerQueue().TimerCount(); }

SteppedClock::SteppedClock() {
  platform::ThreadTimerQueue().SetClock([this] { return m_now; });
}

SteppedClock::~SteppedClock() { platform::ThreadTimerQueue().SetClock(platform::MonotonicMs); }

int SteppedClock::Advance(std::uint64_t ms) {
  m_now += ms;
  return KaveloDispatchTimers();  // as a host serves the clock
}
#endif

}  // namespace kavelo::test
