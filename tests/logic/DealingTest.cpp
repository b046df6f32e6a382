#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "logic/KaveloInternal.h"

namespace {

std::array<int, 256> KindCounts(const CKaveloInternal& board) {
  std::array<int, 256> counts{};
  for (int i = 0; i < board.m_width * board.m_height; ++i) ++counts[board.m_tiles[i]];
  return counts;
}

TEST(LogicDealing, TilesArePackedFromTheCornerInKindOrderUpToTheInterior) {
  struct Case {
    int width, height, kinds, copies;
    int tiles;
    std::vector<int> firstCells;  // the grid's first cells, row by row
    std::vector<int> perKind;     // copies dealt of kinds 1, 2, ...
  };
  const Case cases[] = {
      {6, 5, 3, 4, 12, {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 0}, {4, 4, 4}},
      {6, 6, 5, 4, 16, {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 0}, {4, 4, 4, 4, 0}},
      {8, 8, 3, 5, 15, {1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 0}, {5, 5, 5}},
      {8, 8, 2, 0, 0, {0}, {0, 0}},
      {3, 3, 4, 9, 1, {1, 0}, {1, 0, 0, 0}},  // one interior cell
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " " << c.kinds << " kinds x " << c.copies);
    CKaveloInternal board;
    ASSERT_TRUE(board.InitBoard(c.width, c.height, c.kinds, c.copies));
    EXPECT_TRUE(board.m_boardReady);
    EXPECT_EQ(board.m_tilesLeft, c.tiles);
    for (std::size_t i = 0; i < c.firstCells.size(); ++i) {
      EXPECT_EQ(board.GetTile(i % c.width, i / c.width), c.firstCells[i]) << "cell " << i;
    }
    const auto counts = KindCounts(board);
    for (std::size_t k = 0; k < c.perKind.size(); ++k) EXPECT_EQ(counts[k + 1], c.perKind[k]) << "kind " << k + 1;
    EXPECT_EQ(board.GetTile(c.width, 0), 0);
    EXPECT_EQ(board.GetTile(0, c.height), 0);
  }

  // The largest board: 64009 = 251 * 255 + 4 interior cells.
  CKaveloInternal board;
  ASSERT_TRUE(board.InitBoard(255, 255, 255, 255));
  EXPECT_EQ(board.m_tilesLeft, 253 * 253);
  const auto counts = KindCounts(board);
  for (int k = 1; k <= 251; ++k) ASSERT_EQ(counts[k], 255) << "kind " << k;
  EXPECT_EQ(counts[252], 4);
  EXPECT_EQ(counts[253] + counts[254] + counts[255], 0);
}

TEST(LogicDealing, BoardsWithoutInteriorOrKindsAreRefusedAndNothingWorksOnThem) {
  const std::array<int, 4> cases[] = {{0, 8, 2, 2}, {8, 0, 2, 2}, {8, 8, 0, 2}, {2, 8, 2, 2}, {8, 2, 2, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c));
    CKaveloInternal board;
    ASSERT_TRUE(board.InitBoard(6, 6, 2, 2));  // a refusal also drops an earlier board
    EXPECT_FALSE(board.InitBoard(c[0], c[1], c[2], c[3]));
    EXPECT_FALSE(board.m_boardReady);
    EXPECT_EQ(board.m_tiles, nullptr);
    EXPECT_EQ(board.m_trail, nullptr);
    EXPECT_EQ(board.m_width, 0);
    EXPECT_EQ(board.GetTile(0, 0), 0);

    int result = 12345;
    EXPECT_FALSE(board.ClickCell(1, 1, result));
    EXPECT_EQ(result, 12345);
    EXPECT_FALSE(board.FindLink(1, 1, 2, 1));
    EXPECT_FALSE(board.MarkTrail(1, 1, 2, 1));
    EXPECT_FALSE(board.IsRowClear(1, 1, 1));
    EXPECT_FALSE(board.RemoveTile(1, 1));
    KaveloHint hint{};
    EXPECT_FALSE(board.FindHint(hint));
    board.AdvanceTrail();
    board.Shuffle(ShuffleSpread);
    EXPECT_EQ(board.m_tiles, nullptr);
  }
}

}  // namespace
