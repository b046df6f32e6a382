#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "logic/KaveloInternal.h"
#include "tests/logic/BoardBuilder.h"
#include "tests/logic/LinkBfs.h"

namespace {

// Whether any two tiles of one kind can be linked, trying every such pair.
bool AnyPairLinks(const CKaveloInternal& board, CLinkBfs& bfs) {
  const int cells = board.m_width * board.m_height;
  for (int a = 0; a < cells; ++a) {
    if (board.m_tiles[a] == 0) continue;
    for (int b = a + 1; b < cells; ++b) {
      if (board.m_tiles[b] != board.m_tiles[a]) continue;
      if (bfs.Linked(board, a % board.m_width, a / board.m_width, b % board.m_width, b / board.m_width)) return true;
    }
  }
  return false;
}

// A hint must name two cells of one kind that the breadth-first search can link.
void ExpectSoundHint(const CKaveloInternal& board, const KaveloHint& hint, CLinkBfs& bfs) {
  const std::uint8_t kind = board.GetTile(hint.x1, hint.y1);
  EXPECT_NE(kind, 0);
  EXPECT_EQ(board.GetTile(hint.x2, hint.y2), kind);
  EXPECT_TRUE(bfs.Linked(board, hint.x1, hint.y1, hint.x2, hint.y2));
}

TEST(LogicHint, OnRandomBoardsAHintExistsExactlyWhenSomePairLinks) {
  std::mt19937 random(7031);
  CLinkBfs bfs;
  int withHint = 0;
  int without = 0;
  for (int round = 0; round < 1500; ++round) {
    const int width = std::uniform_int_distribution<int>(3, round % 10 == 0 ? 40 : 12)(random);
    const int height = std::uniform_int_distribution<int>(3, round % 10 == 0 ? 40 : 12)(random);
    auto board = BoardWith(width, height, {});
    const int kinds = std::uniform_int_distribution<int>(1, round % 3 == 0 ? 255 : 12)(random);
    FillRandomly(*board, random, std::uniform_real_distribution<double>(0.05, 0.95)(random), kinds);
    board->m_trail[0] = 3;
    const std::vector<std::uint8_t> before(board->m_tiles.get(), board->m_tiles.get() + width * height);

    SCOPED_TRACE(::testing::Message() << "round " << round);
    KaveloHint hint{};
    const bool found = board->FindHint(hint);
    ASSERT_EQ(found, AnyPairLinks(*board, bfs));
    if (found) {
      ++withHint;
      ExpectSoundHint(*board, hint, bfs);
    } else {
      ++without;
    }
    EXPECT_EQ(std::vector<std::uint8_t>(board->m_tiles.get(), board->m_tiles.get() + width * height), before);
    EXPECT_EQ(board->m_trail[0], 3);
  }
  EXPECT_GT(withHint, 300);
  EXPECT_GT(without, 200);
}

TEST(LogicHint, HintsOnTheBoardsAtTheLimits) {
  struct Case {
    const char* name;
    int width, height, kinds, copies;
    bool shuffle;
    bool expected;
  };
  const Case cases[] = {
      {"one tile on the smallest board", 3, 3, 1, 2, true, false},
      {"no tiles at all", 8, 8, 2, 0, true, false},
      {"a full largest board", 255, 255, 255, 255, true, true},
      {"the largest board as dealt, tiles in the ring", 255, 255, 255, 255, false, true},
  };
  CLinkBfs bfs;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CKaveloInternal board;
    ASSERT_TRUE(board.InitBoard(c.width, c.height, c.kinds, c.copies));
    if (c.shuffle) board.Shuffle(ShuffleSpread);
    KaveloHint hint{};
    ASSERT_EQ(board.FindHint(hint), c.expected);
    if (c.expected) ExpectSoundHint(board, hint, bfs);
  }
}

}  // namespace
