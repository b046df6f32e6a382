// The hint extension: a move that links now, found without changing the game.
#include <gtest/gtest.h>

#include "GameHost.h"

using kavelo::test::ArtFolder;
using kavelo::test::GameHost;

namespace {

std::wstring ClickText(int x, int y) { return L"type,1;x," + std::to_wstring(x) + L";y," + std::to_wstring(y) + L";"; }

}  // namespace

TEST(Hint, FollowingTheHintsClearsABoardAndNoHintIsGivenWithoutAMove) {
  ArtFolder art;
  struct Case {
    int w, h, kinds, copies;
    int pairsByHints;  // pairs removed by following hints (and shuffling when stuck)
  } cases[] = {
      {4, 3, 2, 1, 0},    // two tiles of different kinds: no move at all
      {6, 5, 3, 4, 6},    // a full interior of even kinds: cleared
      {8, 8, 3, 5, 6},    // odd copies: one tile of each kind stays
      {3, 3, 1, 2, 0},    // the interior holds one tile
  };
  for (const Case& c : cases) {
    GameHost host;
    KaveloMove move{};
    EXPECT_FALSE(host.FindHint(move));  // no board yet
    ASSERT_EQ(host.SetGameParam(art.SetUp(c.w, c.h, c.kinds, c.copies, 64, 64)), 0);
    ASSERT_EQ(host.InputEvent(L"type,2;shuffle,4;"), 0);
    int pairs = 0;
    for (int shuffles = 0; shuffles < 20;) {
      if (!host.FindHint(move)) {
        kavelo::test::ShuffleAnew(host);
        ++shuffles;
        continue;
      }
      const int tilesBefore = host.InputEvent(L"type,256;");
      // Asking twice changes nothing and gives the same answer.
      KaveloMove again{};
      ASSERT_TRUE(host.FindHint(again));
      EXPECT_EQ(std::tie(again.x1, again.y1, again.x2, again.y2), std::tie(move.x1, move.y1, move.x2, move.y2));
      EXPECT_EQ(host.InputEvent(L"type,256;"), tilesBefore);
      ASSERT_EQ(host.InputEvent(ClickText(move.x1, move.y1)), 4);
      const int result = host.InputEvent(ClickText(move.x2, move.y2));
      ASSERT_TRUE(result == 1 || result == 99) << result;
      ++pairs;
    }
    EXPECT_EQ(pairs, c.pairsByHints) << c.w << "x" << c.h;
    EXPECT_FALSE(host.FindHint(move));
  }
}
