#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "logic/KaveloInternal.h"

namespace {

std::string RowText(const CKaveloInternal& board, int y) {
  std::string text;
  for (int x = 0; x < board.m_width; ++x) {
    if (x > 0) text += ' ';
    text += std::to_string(board.GetTile(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)));
  }
  return text;
}

std::array<int, 256> KindCounts(const CKaveloInternal& board) {
  std::array<int, 256> counts{};
  for (int i = 0; i < board.m_width * board.m_height; ++i) ++counts[board.m_tiles[i]];
  return counts;
}

TEST(LogicDealing, ANewBoardHasNoGridNoSelectionAndTheDefaultTrailLength) {
  const CKaveloInternal board;
  EXPECT_FALSE(board.m_boardReady);
  EXPECT_EQ(board.m_tiles, nullptr);
  EXPECT_EQ(board.m_trail, nullptr);
  EXPECT_EQ(board.m_trailFrames, 10);
  EXPECT_EQ(board.m_selX, -1);
  EXPECT_EQ(board.m_selY, -1);
  EXPECT_EQ(board.m_elapsed, 0u);
  EXPECT_EQ(board.m_timeLimit, 0u);
  EXPECT_EQ(board.GetTile(0, 0), 0);
}

TEST(LogicDealing, TilesArePackedFromTheCornerInKindOrderUpToTheInterior) {
  struct Case {
    int width, height, kinds, copies;
    int tiles;
    std::vector<std::string> rows;          // the first rows, read left to right
    std::vector<int> perKind;               // copies dealt of kinds 1, 2, ...
  };
  const Case cases[] = {
      {6, 5, 3, 4, 12, {"1 1 1 1 2 2", "2 2 3 3 3 3", "0 0 0 0 0 0"}, {4, 4, 4}},
      {6, 6, 5, 4, 16, {"1 1 1 1 2 2", "2 2 3 3 3 3", "4 4 4 4 0 0"}, {4, 4, 4, 4, 0}},
      {8, 8, 3, 5, 15, {"1 1 1 1 1 2 2 2", "2 2 3 3 3 3 3 0"}, {5, 5, 5}},
      {8, 8, 2, 0, 0, {"0 0 0 0 0 0 0 0"}, {0, 0}},
      // One interior cell: the dealing stops after one tile of the first kind.
      {3, 3, 1, 2, 1, {"1 0 0", "0 0 0"}, {1}},
      {3, 3, 4, 9, 1, {"1 0 0"}, {1, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " kinds " + std::to_string(c.kinds) +
                 " copies " + std::to_string(c.copies));
    CKaveloInternal board;
    ASSERT_TRUE(board.InitBoard(c.width, c.height, c.kinds, c.copies));
    EXPECT_TRUE(board.m_boardReady);
    EXPECT_EQ(board.m_width, c.width);
    EXPECT_EQ(board.m_height, c.height);
    EXPECT_EQ(board.m_kindCount, c.kinds);
    EXPECT_EQ(board.m_copiesPerKind, c.copies);
    EXPECT_EQ(board.m_tilesLeft, c.tiles);
    for (std::size_t y = 0; y < c.rows.size(); ++y) EXPECT_EQ(RowText(board, static_cast<int>(y)), c.rows[y]) << "row " << y;
    const auto counts = KindCounts(board);
    for (std::size_t k = 0; k < c.perKind.size(); ++k) EXPECT_EQ(counts[k + 1], c.perKind[k]) << "kind " << k + 1;
    for (int i = 0; i < c.width * c.height; ++i) EXPECT_EQ(board.m_trail[i], 0);
  }
}

TEST(LogicDealing, TheLargestBoardCutsTheDealingAtTheInterior) {
  CKaveloInternal board;
  ASSERT_TRUE(board.InitBoard(255, 255, 255, 255));
  EXPECT_EQ(board.m_tilesLeft, 253 * 253);
  const auto counts = KindCounts(board);
  // 64009 = 251 * 255 + 4: kinds 1 to 251 in full, kind 252 partly, the rest not at all.
  for (int k = 1; k <= 251; ++k) ASSERT_EQ(counts[k], 255) << "kind " << k;
  EXPECT_EQ(counts[252], 4);
  EXPECT_EQ(counts[253] + counts[254] + counts[255], 0);
  EXPECT_EQ(board.GetTile(254, 250), 251);
  EXPECT_EQ(board.GetTile(0, 251), 252);
  EXPECT_EQ(board.GetTile(3, 251), 252);
  EXPECT_EQ(board.GetTile(4, 251), 0);
}

TEST(LogicDealing, BoardsWithoutInteriorOrKindsAreRefusedAndHaveNoGrids) {
  const std::array<int, 4> cases[] = {{0, 8, 2, 2}, {8, 0, 2, 2}, {8, 8, 0, 2}, {2, 8, 2, 2}, {8, 2, 2, 2}, {1, 1, 1, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c));
    CKaveloInternal board;
    ASSERT_TRUE(board.InitBoard(6, 6, 2, 2));  // a refusal also drops an earlier board
    EXPECT_FALSE(board.InitBoard(c[0], c[1], c[2], c[3]));
    EXPECT_FALSE(board.m_boardReady);
    EXPECT_EQ(board.m_tiles, nullptr);
    EXPECT_EQ(board.m_trail, nullptr);
    EXPECT_EQ(board.m_width, 0);
    EXPECT_EQ(board.m_height, 0);
    EXPECT_EQ(board.GetTile(0, 0), 0);
  }
}

TEST(LogicDealing, GetTileIsZeroOutsideTheGrid) {
  CKaveloInternal board;
  ASSERT_TRUE(board.InitBoard(6, 5, 30, 1));  // the top row is full of tiles
  EXPECT_EQ(board.GetTile(5, 0), 6);
  EXPECT_EQ(board.GetTile(6, 0), 0);
  EXPECT_EQ(board.GetTile(0, 5), 0);
  EXPECT_EQ(board.GetTile(0, 4), 0);
  EXPECT_EQ(board.GetTile(0, 1), 7);
}

TEST(LogicDealing, ANewDealKeepsTheScoreButRestartsTheTime) {
  CKaveloInternal board;
  board.m_score = 40;
  board.m_misses = 3;
  board.m_elapsed = 17;
  board.m_selX = 2;
  board.m_selY = 2;
  ASSERT_TRUE(board.InitBoard(6, 5, 3, 4));
  EXPECT_EQ(board.m_elapsed, 0u);
  EXPECT_EQ(board.m_score, 40);
  EXPECT_EQ(board.m_misses, 3);
  EXPECT_EQ(board.m_selX, 2);
}

TEST(LogicDealing, OperationsOnABoardThatIsNotReadyChangeNothing) {
  CKaveloInternal board;
  int result = 12345;
  EXPECT_FALSE(board.ClickCell(1, 1, result));
  EXPECT_EQ(result, 12345);
  EXPECT_FALSE(board.FindLink(1, 1, 2, 1));
  EXPECT_FALSE(board.CanLink(1, 1, 2, 1));
  EXPECT_FALSE(board.MarkTrail(1, 1, 2, 1));
  EXPECT_FALSE(board.IsRowClear(1, 1, 1));
  EXPECT_FALSE(board.IsColumnClear(1, 1, 1));
  EXPECT_FALSE(board.RemoveTile(1, 1));
  KaveloHint hint{};
  EXPECT_FALSE(board.FindHint(hint));
  board.AdvanceTrail();
  board.Shuffle(ShuffleSpread);
  EXPECT_EQ(board.m_tiles, nullptr);
  EXPECT_EQ(board.m_selX, -1);
  EXPECT_EQ(board.m_tilesLeft, 0);
}

}  // namespace
