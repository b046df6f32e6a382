#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logic/KaveloInternal.h"
#include "tests/logic/BoardBuilder.h"
#include "tests/logic/TrailCells.h"

namespace {

struct Click {
  int x, y;
  int code;
  bool returned;
  int selX, selY;
  int misses, pairs, score, tilesLeft;
};

void PlayClicks(CKaveloInternal& board, const std::vector<Click>& clicks) {
  for (std::size_t i = 0; i < clicks.size(); ++i) {
    const Click& c = clicks[i];
    SCOPED_TRACE(::testing::Message() << "click " << i << " at (" << c.x << "," << c.y << ")");
    int code = -7;
    EXPECT_EQ(board.ClickCell(c.x, c.y, code), c.returned);
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(board.m_selX, c.selX);
    EXPECT_EQ(board.m_selY, c.selY);
    EXPECT_EQ(board.m_misses, c.misses);
    EXPECT_EQ(board.m_pairsRemoved, c.pairs);
    EXPECT_EQ(board.m_score, c.score);
    EXPECT_EQ(board.m_tilesLeft, c.tilesLeft);
  }
}

TEST(LogicClicks, ASequenceOfClicksSelectsRejectsCancelsAndRemovesPairs) {
  auto board = BoardWith(6, 5, {{1, 1, 3}, {3, 1, 3}, {2, 1, 5}, {2, 2, 5}, {4, 3, 2}});
  board->m_scoreStep = 7;
  ASSERT_EQ(board->m_tilesLeft, 5);
  PlayClicks(*board, {
                         {6, 1, Cancel, false, -1, -1, 0, 0, 0, 5},
                         {-1, 1, Cancel, false, -1, -1, 0, 0, 0, 5},
                         {0, 0, Cancel, false, -1, -1, 0, 0, 0, 5},
                         {1, 1, Choose, true, 1, 1, 0, 0, 0, 5},
                         {1, 1, Choose, true, 1, 1, 0, 0, 0, 5},
                         {2, 1, Wrong, true, 2, 1, 1, 0, 0, 5},
                         {0, 0, Cancel, false, -1, -1, 1, 0, 0, 5},
                         {1, 1, Choose, true, 1, 1, 1, 0, 0, 5},
                         {3, 1, Connect, true, -1, -1, 1, 1, 7, 3},
                     });
  EXPECT_EQ(MarkedCells(*board), (CellSet{{1, 0}, {2, 0}, {3, 0}, {1, 1}, {3, 1}}));
  for (const Cell& cell : MarkedCells(*board)) EXPECT_EQ(board->m_trail[cell.second * 6 + cell.first], 10);
  EXPECT_EQ(board->GetTile(1, 1), 0);
  EXPECT_EQ(board->GetTile(3, 1), 0);
  PlayClicks(*board, {
                         {2, 1, Choose, true, 2, 1, 1, 1, 7, 3},
                         {2, 2, Connect, true, -1, -1, 1, 2, 14, 1},
                     });
}

TEST(LogicClicks, TheLastPairWinsAndOtherEndingsAreNoWins) {
  struct Case {
    std::string name;
    int width, height;
    std::vector<PlacedTile> tiles;
    int score, step;
    std::vector<Click> clicks;
  };
  const Case cases[] = {
      {"removing the last pair wins", 5, 4, {{1, 1, 2}, {3, 2, 2}}, 100, 10,
       {{1, 1, Choose, true, 1, 1, 0, 0, 100, 2}, {3, 2, Win, true, -1, -1, 0, 1, 110, 0}}},
      {"a pair of one kind without a path is wrong and moves the selection", 5, 4,
       {{1, 1, 2}, {2, 2, 2}, {2, 1, 6}, {1, 2, 6}, {0, 1, 6}, {1, 0, 6}, {3, 2, 6}, {2, 3, 6}}, 0, 5,
       {{1, 1, Choose, true, 1, 1, 0, 0, 0, 8}, {2, 2, Wrong, true, 2, 2, 1, 0, 0, 8}}},
      {"a tile left in the border ring keeps the game going", 5, 4, {{1, 1, 2}, {3, 1, 2}, {4, 3, 9}}, 0, 1,
       {{1, 1, Choose, true, 1, 1, 0, 0, 0, 3}, {3, 1, Connect, true, -1, -1, 0, 1, 1, 1}}},
      {"only the low 16 bits of a coordinate count", 5, 4, {{2, 1, 2}, {2, 2, 2}}, 0, 1,
       {{65538, 1, Choose, true, 2, 1, 0, 0, 0, 2}, {2, 65536 + 2, Win, true, -1, -1, 0, 1, 1, 0}}},
      {"a coordinate whose low 16 bits are negative is outside", 5, 4, {{1, 1, 2}}, 0, 1,
       {{1, 1, Choose, true, 1, 1, 0, 0, 0, 1}, {0xFFFF, 1, Cancel, false, -1, -1, 0, 0, 0, 1},
        {1, 0x18000, Cancel, false, -1, -1, 0, 0, 0, 1}}},
      {"the score wraps instead of overflowing", 5, 4, {{1, 1, 2}, {2, 1, 2}}, 2147483600, 100,
       {{1, 1, Choose, true, 1, 1, 0, 0, 2147483600, 2}, {2, 1, Win, true, -1, -1, 0, 1, -2147483596, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto board = BoardWith(c.width, c.height, c.tiles);
    board->m_score = c.score;
    board->m_scoreStep = c.step;
    PlayClicks(*board, c.clicks);
  }
}

TEST(LogicClicks, ASelectionOnACellThatBecameEmptyGivesWayToTheNextTile) {
  auto board = BoardWith(5, 4, {{1, 1, 2}, {3, 2, 4}});
  int code = -1;
  ASSERT_TRUE(board->ClickCell(1, 1, code));
  ASSERT_TRUE(board->RemoveTile(1, 1));  // as a shuffle may leave the selected cell
  EXPECT_TRUE(board->ClickCell(3, 2, code));
  EXPECT_EQ(code, Choose);
  EXPECT_EQ(board->m_selX, 3);
  EXPECT_EQ(board->m_selY, 2);
  EXPECT_EQ(board->m_misses, 0);
}

}  // namespace
