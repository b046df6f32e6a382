// The clock on system timers, served by a host's ordinary message loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "host/GameClock.h"
#include "host/ModuleState.h"
#include "tests/host/GameHost.h"

using kavelo::host::Module;
using kavelo::test::ArtFolder;
using kavelo::test::CommandText;
using kavelo::test::EventText;
using kavelo::test::GameHost;
using kavelo::test::W;

namespace {

// Runs this thread's message loop for `timeoutMs`, or until it has dispatched `stopAfter`
// timer messages of `timer`; returns how many it dispatched.
int Pump(UINT_PTR timer, DWORD timeoutMs, int stopAfter = INT_MAX) {
  int timerMessages = 0;
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (timerMessages < stopAfter && GetTickCount64() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG msg;
    while (timerMessages < stopAfter && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_TIMER && msg.wParam == timer) ++timerMessages;
      DispatchMessageW(&msg);
    }
  }
  return timerMessages;
}

struct LoopGame {
  ArtFolder art{8, 3, 8};
  std::vector<char> frame = std::vector<char>(10 * 8 * 8 * 8 * 4);
  std::unique_ptr<GameHost> host = std::make_unique<GameHost>();
  int SetUp() {
    host->AllocGdiData(frame.data(), 0, 0, 0);
    const int result = host->SetGameParam(art.SetUp(10, 8, 8, 6, 10 * 8, 8 * 8));
    const std::string bar =
        CommandText(KAVELO_PARAM_TIME_BAR) + "timeBar," + art.Path("timebar.bmp") + ";x,0;y,0;time,600;";
    host->SetGameParam(W(bar));
    return result;
  }
  int SecondsLeft() const { return host->InputEvent(EventText(KAVELO_QUERY_SECONDS_LEFT)); }
};

}  // namespace

TEST(MessageLoopClock, TenCallbacksGiveTenTicksAndOneSecondOfGameTime) {
  LoopGame game;
  ASSERT_EQ(game.SetUp(), 0);
  const UINT_PTR timer = Module().clockTimerId;
  ASSERT_NE(timer, 0u);
  const int frames = game.host->frames, seconds = game.SecondsLeft();
  ASSERT_EQ(Pump(timer, 5000, 10), 10);
  EXPECT_EQ(game.host->frames - frames, 10);
  EXPECT_EQ(seconds - game.SecondsLeft(), 1);
}

TEST(MessageLoopClock, ANewSetUpReplacesTheTimerAndADestroyedObjectGetsNothing) {
  LoopGame game;
  ASSERT_EQ(game.SetUp(), 0);
  const UINT_PTR first = Module().clockTimerId;
  ASSERT_EQ(game.SetUp(), 0);
  const UINT_PTR second = Module().clockTimerId;
  ASSERT_NE(second, 0u);
  ASSERT_NE(second, first);
  EXPECT_FALSE(KillTimer(nullptr, first)) << "the first set-up's timer is gone";
  const int frames = game.host->frames;
  kavelo::host::ServeClockTick(first);  // a late callback of the old timer
  EXPECT_EQ(game.host->frames, frames);
  EXPECT_EQ(Pump(first, 350), 0);
  EXPECT_GE(game.host->frames - frames, 2) << "the second timer ticks";

  game.host.reset();
  EXPECT_EQ(Module().currentInstance, nullptr);
  EXPECT_FALSE(KillTimer(nullptr, second)) << "destruction killed the timer";
  EXPECT_EQ(Pump(second, 350), 0);
}
