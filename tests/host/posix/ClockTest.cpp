// The clock: ten ticks a second to the current instance, served from the host's loop.
#include <gtest/gtest.h>

#include "tests/host/GameHost.h"
#include "host/ModuleState.h"
#include "platform/posix/TimerQueue.h"

using namespace kavelo::test;

namespace {

constexpr int kTick = 100;

class Clock : public ::testing::Test {
 protected:
  void StartGame(GameHost& host, int seconds) {
    ASSERT_EQ(host.SetGameParam(art.SetUp(6, 5, 3, 4, 48, 40)), 0);
    const std::string text = CommandText(KAVELO_PARAM_TIME_BAR) + "timeBar," + art.Path("timebar.bmp") +
                             ";x,0;y,0;time," + std::to_string(seconds) + ";";
    ASSERT_EQ(host.SetGameParam(W(text)), KAVELO_PARAM_TIME_BAR);
  }
  SteppedClock clock;
  ArtFolder art;
};

}  // namespace

TEST_F(Clock, TenCallbacksSendTenTicksAndThenOneSecond) {
  GameHost host;
  StartGame(host, 1);
  kavelo::host::Module().tickCounter = 0;
  for (int i = 0; i < 9; ++i) EXPECT_EQ(clock.Advance(kTick), 1);
  EXPECT_EQ(host.frames, 9);
  EXPECT_TRUE(host.gameOvers.empty());
  EXPECT_EQ(clock.Advance(kTick), 1);
  EXPECT_EQ(host.gameOvers, std::vector<int>{0});
  EXPECT_EQ(host.framesAtGameOver, std::vector<int>{10});  // right after the tenth tick
  // Ended: ticks go on, time events are refused harmlessly.
  for (int i = 0; i < 20; ++i) clock.Advance(kTick);
  EXPECT_EQ(host.frames, 30);
  EXPECT_EQ(host.gameOvers.size(), 1u);
}

TEST_F(Clock, ASetUpDoesNotResetTheTickCounter) {
  GameHost host;
  StartGame(host, 100);
  kavelo::host::Module().tickCounter = 0;
  for (int i = 0; i < 6; ++i) clock.Advance(kTick);
  StartGame(host, 1);
  for (int i = 0; i < 3; ++i) clock.Advance(kTick);
  EXPECT_TRUE(host.gameOvers.empty());
  clock.Advance(kTick);  // the 4th tick of the new game completes the second
  EXPECT_EQ(host.gameOvers, std::vector<int>{0});
}

TEST_F(Clock, OnlyTheLatestClockRunsAndTheReplacedOneIsStopped) {
  GameHost host;
  auto& queue = kavelo::platform::ThreadTimerQueue();
  const std::size_t before = queue.TimerCount();
  StartGame(host, 100);
  const auto first = kavelo::host::Module().clockTimerId;
  StartGame(host, 100);
  EXPECT_NE(kavelo::host::Module().clockTimerId, first);
  EXPECT_EQ(queue.TimerCount(), before + 1);
  EXPECT_FALSE(queue.KillTimer(first));
  EXPECT_EQ(clock.Advance(kTick), 1);
  EXPECT_EQ(host.frames, 1);
}

// A host that lets its object go as soon as it has been told of a frame.
class SelfDestroyingHost : public GameHost {
 public:
  int OnGdiDataChange() override {
    delete this;
    return 0;
  }
};

TEST_F(Clock, TheNewestObjectReceivesTheTicksAndADestroyedOneNothing) {
  auto first = std::make_unique<GameHost>();
  StartGame(*first, 100);
  auto* second = new SelfDestroyingHost;
  StartGame(*second, 100);  // the clock now belongs to the second object's game
  kavelo::host::Module().tickCounter = 9;  // this tick would also send a second
  EXPECT_EQ(clock.Advance(kTick), 1);      // the second finds no current instance
  EXPECT_EQ(first->frames, 0);
  EXPECT_EQ(kavelo::host::Module().currentInstance, nullptr);
  EXPECT_EQ(clock.Advance(kTick * 20), 0);  // the clock stopped with the object
  EXPECT_EQ(first->frames, 0);
}
