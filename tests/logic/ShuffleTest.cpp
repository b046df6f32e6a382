#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "logic/KaveloInternal.h"
#include "logic/KaveloRandom.h"
#include "logic/TileCompaction.h"
#include "tests/logic/BoardBuilder.h"

namespace {

KaveloClocks FixedClocks(std::uint32_t tick, std::uint32_t calendar) {
  return {[tick] { return tick; }, [calendar] { return calendar; }};
}

std::vector<std::uint8_t> Grid(const CKaveloInternal& board) {
  return {board.m_tiles.get(), board.m_tiles.get() + board.m_width * board.m_height};
}

std::array<int, 256> KindCounts(const std::vector<std::uint8_t>& grid) {
  std::array<int, 256> counts{};
  for (const std::uint8_t kind : grid) ++counts[kind];
  return counts;
}

bool RingIsEmpty(const CKaveloInternal& board) {
  for (int y = 0; y < board.m_height; ++y) {
    for (int x = 0; x < board.m_width; ++x) {
      const bool ring = x == 0 || y == 0 || x == board.m_width - 1 || y == board.m_height - 1;
      if (ring && board.GetTile(x, y) != 0) return false;
    }
  }
  return true;
}

std::vector<std::string> Rows(const std::vector<std::uint8_t>& grid, int width) {
  std::vector<std::string> rows;
  for (std::size_t i = 0; i < grid.size(); i += width) {
    std::string row;
    for (int x = 0; x < width; ++x) row += std::to_string(grid[i + x]) + (x + 1 < width ? " " : "");
    rows.push_back(row);
  }
  return rows;
}

TEST(LogicShuffle, TheGeneratorFollowsTheClassicSequence) {
  struct Case {
    std::uint32_t seed;
    std::vector<int> draws;
  };
  const Case cases[] = {
      {1, {41, 18467, 6334, 26500, 19169}},
      {0, {38, 7719, 21238}},
      {0xFFFFFFFFu, {35, 29739, 3374}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seed);
    CKaveloRandom random;
    random.Seed(c.seed);
    for (const int expected : c.draws) EXPECT_EQ(random.Next(), expected);
  }
  CKaveloRandom unseeded;
  EXPECT_EQ(unseeded.Next(), 41);
}

TEST(LogicShuffle, CompactionReadsColumnByColumnAndWritesTheInteriorRowByRow) {
  struct Case {
    int width, height, kinds, copies;
    bool fits;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {6, 5, 3, 4, true, {"0 0 0 0 0 0", "0 1 2 1 2 0", "0 1 3 1 3 0", "0 2 3 2 3 0", "0 0 0 0 0 0"}},
      {8, 8, 3, 5, true,
       {"0 0 0 0 0 0 0 0", "0 1 2 1 2 1 3 0", "0 1 3 1 3 2 3 0", "0 2 3 2 0 0 0 0", "0 0 0 0 0 0 0 0",
        "0 0 0 0 0 0 0 0", "0 0 0 0 0 0 0 0", "0 0 0 0 0 0 0 0"}},
      {3, 3, 2, 1, true, {"0 0 0", "0 1 0", "0 0 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rows[1]);
    CKaveloInternal board;
    ASSERT_TRUE(board.InitBoard(c.width, c.height, c.kinds, c.copies));
    std::vector<std::uint8_t> scratch(c.width * c.height);
    EXPECT_EQ(kavelo::logic::CompactIntoInterior(board.m_tiles.get(), c.width, c.height, scratch.data()), c.fits);
    EXPECT_EQ(Rows(Grid(board), c.width), c.rows);
  }

  // More tiles than the interior holds: nothing moves.
  std::vector<std::uint8_t> crowded = {1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0};
  const auto before = crowded;
  std::vector<std::uint8_t> scratch(16);
  EXPECT_FALSE(kavelo::logic::CompactIntoInterior(crowded.data(), 4, 4, scratch.data()));
  EXPECT_EQ(crowded, before);
}

TEST(LogicShuffle, EveryModeKeepsTheKindsAndOnlyItsOwnPatternOfCells) {
  struct Case {
    std::uint8_t mode;
    bool compacts;      // all tiles in the interior afterwards
    bool keepsPattern;  // occupied cells stay occupied, empty ones empty
  };
  const Case cases[] = {
      {ShuffleScatter, false, false},
      {ShuffleMix, false, true},
      {ShuffleCompact, true, false},
      {ShuffleSpread, true, false},
  };
  for (const Case& c : cases) {
    for (std::uint32_t seed : {1u, 77u, 123456u}) {
      SCOPED_TRACE(::testing::Message() << "mode " << int(c.mode) << " seed " << seed);
      CKaveloInternal board;
      board.SetClocks(FixedClocks(seed, seed * 3 + 1));
      ASSERT_TRUE(board.InitBoard(20, 12, 7, 20));
      board.Shuffle(ShuffleCompact);
      // Some tiles in the border ring and some gaps, as a game in progress may have.
      board.m_tiles[3] = 7;
      board.m_tiles[30] = 0;
      board.m_tiles[31] = 0;
      board.m_tilesLeft = 139;
      board.m_selX = 4;
      board.m_selY = 5;
      board.m_trail[50] = 6;
      board.m_score = 21;
      board.m_misses = 2;
      board.m_pairsRemoved = 3;
      const auto before = Grid(board);

      board.Shuffle(c.mode);
      const auto after = Grid(board);
      EXPECT_NE(after, before);
      EXPECT_EQ(KindCounts(after), KindCounts(before));
      if (c.compacts) {
        EXPECT_TRUE(RingIsEmpty(board));
      }
      if (c.keepsPattern) {
        for (std::size_t i = 0; i < after.size(); ++i) ASSERT_EQ(after[i] != 0, before[i] != 0) << "cell " << i;
      }
      EXPECT_EQ(board.m_tilesLeft, 139);
      EXPECT_EQ(board.m_selX, 4);
      EXPECT_EQ(board.m_selY, 5);
      EXPECT_EQ(board.m_trail[50], 6);
      EXPECT_EQ(board.m_score, 21);
      EXPECT_EQ(board.m_misses, 2);
      EXPECT_EQ(board.m_pairsRemoved, 3);
    }
  }
}

TEST(LogicShuffle, MixingSwapsKindsAmongTheOccupiedCellsOnly) {
  auto board = BoardWith(6, 5, {{5, 0, 1}, {3, 1, 2}, {5, 2, 3}});  // cells 5, 9 and 17
  std::vector<std::vector<std::uint8_t>> seen;
  for (std::uint32_t calendar = 1; calendar <= 20; ++calendar) {
    board->SetClocks(FixedClocks(0, calendar));
    board->Shuffle(ShuffleMix);
    const auto grid = Grid(*board);
    for (std::size_t i = 0; i < grid.size(); ++i) {
      ASSERT_EQ(grid[i] != 0, i == 5 || i == 9 || i == 17) << "cell " << i;
    }
    ASSERT_EQ(KindCounts(grid)[1] + KindCounts(grid)[2] + KindCounts(grid)[3], 3);
    ASSERT_EQ(KindCounts(grid)[1], 1);
    ASSERT_EQ(KindCounts(grid)[2], 1);
    if (std::find(seen.begin(), seen.end(), grid) == seen.end()) seen.push_back(grid);
  }
  EXPECT_GT(seen.size(), 1u);  // the kinds do move
}

TEST(LogicShuffle, UnknownModesAndBoardsWithoutTilesStayAsTheyAre) {
  struct Case {
    std::string name;
    int kinds, copies;
    std::uint8_t mode;
  };
  const Case cases[] = {
      {"mode 0", 3, 4, 0},
      {"mode 5", 3, 4, 5},
      {"mode 255", 3, 4, 255},
      {"mixing without tiles", 3, 0, ShuffleMix},
      {"scattering without tiles", 3, 0, ShuffleScatter},
      {"spreading without tiles", 3, 0, ShuffleSpread},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CKaveloInternal board;
    ASSERT_TRUE(board.InitBoard(6, 5, c.kinds, c.copies));
    const auto before = Grid(board);
    board.Shuffle(c.mode);
    EXPECT_EQ(Grid(board), before);
  }
}

TEST(LogicShuffle, EachModeIsSeededByItsOwnClock) {
  struct Case {
    std::uint8_t mode;
    bool followsTick;
    bool followsCalendar;
  };
  const Case cases[] = {
      {ShuffleScatter, true, false},
      {ShuffleMix, false, true},
      {ShuffleCompact, false, true},
      {ShuffleSpread, true, true},
  };
  const auto shuffled = [](std::uint8_t mode, std::uint32_t tick, std::uint32_t calendar) {
    CKaveloInternal board;
    board.SetClocks(FixedClocks(5, 5));
    board.InitBoard(12, 10, 9, 8);
    board.Shuffle(ShuffleCompact);
    board.m_tiles[40] = 0;  // a gap, so that spreading has something to move
    board.SetClocks(FixedClocks(tick, calendar));
    board.Shuffle(mode);
    return Grid(board);
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.mode));
    const auto base = shuffled(c.mode, 1000, 1700000000);
    EXPECT_EQ(shuffled(c.mode, 1000, 1700000000), base);
    EXPECT_EQ(shuffled(c.mode, 2000, 1700000000) != base, c.followsTick);
    EXPECT_EQ(shuffled(c.mode, 1000, 1700000001) != base, c.followsCalendar);
  }
}

TEST(LogicShuffle, TheLargestBoardMixesOnlyItsFirst32768Cells) {
  for (const std::uint8_t mode : {ShuffleScatter, ShuffleMix}) {
    SCOPED_TRACE(int(mode));
    CKaveloInternal board;
    board.SetClocks(FixedClocks(4242, 1700000000));
    ASSERT_TRUE(board.InitBoard(255, 255, 255, 255));  // packed tiles in cells 0 to 64008
    const auto before = Grid(board);
    board.Shuffle(mode);
    const auto after = Grid(board);
    const auto split = before.begin() + 32768;
    EXPECT_TRUE(std::equal(split, before.end(), after.begin() + 32768));
    EXPECT_FALSE(std::equal(before.begin(), split, after.begin()));
    EXPECT_EQ(KindCounts(after), KindCounts(before));
  }
}

TEST(LogicShuffle, SpreadingMovesTheGapsAroundTheInterior) {
  int gapsMoved = 0;
  for (std::uint32_t tick = 1; tick <= 10; ++tick) {
    SCOPED_TRACE(tick);
    CKaveloInternal board;
    board.SetClocks(FixedClocks(tick, 99));
    ASSERT_TRUE(board.InitBoard(6, 5, 2, 4));  // 8 tiles, a 4 x 3 interior
    board.Shuffle(ShuffleSpread);
    EXPECT_TRUE(RingIsEmpty(board));
    EXPECT_EQ(KindCounts(Grid(board))[1], 4);
    EXPECT_EQ(KindCounts(Grid(board))[2], 4);
    // Compaction alone leaves the last row of the interior empty.
    for (int x = 1; x <= 4; ++x) gapsMoved += board.GetTile(x, 3) != 0 ? 1 : 0;
  }
  EXPECT_GT(gapsMoved, 0);
}

TEST(LogicShuffle, TheSmallestBoardSpreadsItsOneTileIntoTheOnlyInteriorCell) {
  CKaveloInternal board;
  ASSERT_TRUE(board.InitBoard(3, 3, 1, 2));
  ASSERT_EQ(board.GetTile(0, 0), 1);
  board.Shuffle(ShuffleSpread);
  EXPECT_EQ(Grid(board), (std::vector<std::uint8_t>{0, 0, 0, 0, 1, 0, 0, 0, 0}));
  board.Shuffle(ShuffleScatter);
  EXPECT_EQ(KindCounts(Grid(board))[1], 1);
}

}  // namespace
