#include <gtest/gtest.h>

#include <PlgKavelo/KaveloFather.h>

#include <utility>

#include "GameHost.h"
#include "host/ModuleState.h"

using kavelo::test::EventText;
using kavelo::test::GameHost;

TEST(Lifecycle, CurrentInstanceFollowsConstructionAndIsClearedByItsOwnDestructor) {
  auto& module = kavelo::host::Module();
  auto first = std::make_unique<GameHost>();
  EXPECT_EQ(module.currentInstance, first.get());
  auto second = std::make_unique<GameHost>();
  EXPECT_EQ(module.currentInstance, second.get());
  first.reset();  // not the current instance: the pointer stays
  EXPECT_EQ(module.currentInstance, second.get());
  second.reset();
  EXPECT_EQ(module.currentInstance, nullptr);
}

TEST(Lifecycle, AllocGdiDataAcceptsAnyArgumentsTheLastBufferIsUsedAndNoFrameOutgrowsItsDeclaredSize) {
  kavelo::test::ArtFolder art;
  GameHost host;
  std::vector<char> a(64 * 64 * 4, 0x55), b(64 * 64 * 4, 0x55);
  EXPECT_EQ(host.AllocGdiData(nullptr, -1, 0, 1 << 30), 0);
  EXPECT_EQ(host.AllocGdiData(a.data(), 1, 2, 3), 0);
  EXPECT_EQ(host.AllocGdiData(b.data(), 0, 0, 0), 0);
  ASSERT_EQ(host.SetGameParam(art.SetUp(6, 5, 3, 4, 64, 64)), 0);
  ASSERT_EQ(host.InputEvent(EventText(KAVELO_EVENT_TICK)), 0);
  EXPECT_EQ(std::count(a.begin(), a.end(), 0x55), static_cast<long>(a.size()));
  EXPECT_LT(std::count(b.begin(), b.end(), 0x55), static_cast<long>(b.size()));
  // A buffer declared narrower or shorter than the set-up's frame gets no frame at all.
  for (const auto& [width, height] : {std::pair{63, 64}, std::pair{64, 63}}) {
    std::fill(a.begin(), a.end(), 0x55);
    host.AllocGdiData(a.data(), width, height, 32);
    ASSERT_EQ(host.InputEvent(EventText(KAVELO_EVENT_TICK)), 0);
    EXPECT_EQ(std::count(a.begin(), a.end(), 0x55), static_cast<long>(a.size())) << width << " x " << height;
  }
}
