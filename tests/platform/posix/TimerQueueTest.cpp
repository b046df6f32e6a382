#include <gtest/gtest.h>

#include <poll.h>

#include <thread>
#include <vector>

#include "platform/posix/TimerQueue.h"

using kavelo::platform::TimerId;
using kavelo::platform::TimerQueue;

namespace {

struct Call {
  TimerId id;
  std::uint32_t time;
};
std::vector<Call> g_calls;
TimerQueue* g_queue = nullptr;

void Record(TimerId id, std::uint32_t time) { g_calls.push_back({id, time}); }
void KillSelf(TimerId id, std::uint32_t time) {
  Record(id, time);
  g_queue->KillTimer(id);
}

class TimerQueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls.clear();
    g_queue = &queue;
  }
  std::uint64_t now = 1000;
  TimerQueue queue{[this] { return now; }};
};

}  // namespace

TEST_F(TimerQueueTest, CallbacksFollowTheIntervalGridWithoutDrift) {
  const TimerId id = queue.SetTimer(100, Record);
  ASSERT_NE(id, 0u);
  struct Step {
    std::uint64_t at;
    int ran;
    int timeout;
  } steps[] = {
      {1099, 0, 1}, {1100, 1, 100}, {1100, 0, 100},
      {1235, 1, 65},  // late by 35: the next one stays due at 1300, not 1335
      {1300, 1, 100}, {1399, 0, 1},
      {11350, 1, 50}, {11350, 0, 50},  // a long stall gives one callback, not a burst
  };
  for (const Step& s : steps) {
    now = s.at;
    EXPECT_EQ(queue.Dispatch(), s.ran) << "at " << s.at;
    EXPECT_EQ(queue.TimeoutMs(), s.timeout) << "at " << s.at;
  }
  ASSERT_EQ(g_calls.size(), 4u);
  EXPECT_EQ(g_calls[1].time, 1235u);
}

TEST_F(TimerQueueTest, KillingATimerInsideItsOwnCallbackIsSafe) {
  const TimerId self = queue.SetTimer(100, KillSelf);
  const TimerId other = queue.SetTimer(100, Record);
  now += 100;
  EXPECT_EQ(queue.Dispatch(), 2);
  now += 100;
  EXPECT_EQ(queue.Dispatch(), 1);
  ASSERT_EQ(g_calls.size(), 3u);
  EXPECT_EQ(g_calls[0].id, self);
  EXPECT_EQ(g_calls[2].id, other);
  EXPECT_FALSE(queue.KillTimer(self));
}

TEST_F(TimerQueueTest, IdsAreUniqueAndNeverZero) {
  std::vector<TimerId> ids;
  for (int i = 0; i < 50; ++i) ids.push_back(queue.SetTimer(10, Record));
  TimerQueue other;
  ids.push_back(other.SetTimer(10, Record));
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
  EXPECT_NE(ids.front(), 0u);
  EXPECT_EQ(queue.SetTimer(10, nullptr), 0u);
  EXPECT_FALSE(queue.KillTimer(0));
}

TEST_F(TimerQueueTest, ATimerOfAnotherThreadIsNeverDispatchedHere) {
  TimerId foreign = 0;
  std::thread([&] { foreign = kavelo::platform::ThreadTimerQueue().SetTimer(1, Record); }).join();
  ASSERT_NE(foreign, 0u);
  auto& mine = kavelo::platform::ThreadTimerQueue();
  EXPECT_FALSE(mine.KillTimer(foreign));
  EXPECT_EQ(mine.TimeoutMs(), -1);
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(mine.Dispatch(), 0);
  EXPECT_TRUE(g_calls.empty());
}

TEST(TimerQueueFd, DescriptorPollsReadableWhenATimerIsDue) {
  TimerQueue queue;
  g_calls.clear();
  pollfd p{queue.Fd(), POLLIN, 0};
  EXPECT_EQ(poll(&p, 1, 0), 0);  // nothing armed
  queue.SetTimer(50, Record);
  p.revents = 0;
  EXPECT_EQ(poll(&p, 1, 2000), 1);
  EXPECT_EQ(queue.Dispatch(), 1);
  p.revents = 0;
  EXPECT_EQ(poll(&p, 1, 0), 0);  // drained and re-armed for the next one
}
