#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "logic/KaveloInternal.h"
#include "logic/KaveloRandom.h"
#include "logic/TileCompaction.h"

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

TEST(LogicShuffle, TheGeneratorFollowsTheClassicSequence) {
  const std::pair<std::uint32_t, std::vector<int>> cases[] = {
      {1, {41, 18467, 6334, 26500, 19169}}, {0, {38, 7719, 21238}}, {0xFFFFFFFFu, {35, 29739, 3374}}};
  for (const auto& [seed, draws] : cases) {
    CKaveloRandom random;
    random.Seed(seed);
    for (const int expected : draws) EXPECT_EQ(random.Next(), expected) << "seed " << seed;
  }
}

TEST(LogicShuffle, CompactionReadsColumnByColumnAndWritesTheInteriorRowByRow) {
  struct Case {
    int width, height, kinds, copies;
    std::vector<std::uint8_t> interior;  // row by row, up to the last tile
  };
  const Case cases[] = {
      {6, 5, 3, 4, {1, 2, 1, 2, /**/ 1, 3, 1, 3, /**/ 2, 3, 2, 3}},
      {8, 8, 3, 5, {1, 2, 1, 2, 1, 3, /**/ 1, 3, 1, 3, 2, 3, /**/ 2, 3, 2}},
      {3, 3, 2, 1, {1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height);
    CKaveloInternal board;
    ASSERT_TRUE(board.InitBoard(c.width, c.height, c.kinds, c.copies));
    std::vector<std::uint8_t> scratch(c.width * c.height);
    ASSERT_TRUE(kavelo::logic::CompactIntoInterior(board.m_tiles.get(), c.width, c.height, scratch.data()));
    std::vector<std::uint8_t> interior;
    for (int y = 1; y < c.height - 1; ++y) {
      for (int x = 1; x < c.width - 1; ++x) interior.push_back(board.GetTile(x, y));
    }
    std::vector<std::uint8_t> expected = c.interior;
    expected.resize(interior.size(), 0);
    EXPECT_EQ(interior, expected);
    EXPECT_TRUE(RingIsEmpty(board));
  }

  std::vector<std::uint8_t> crowded = {1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0};
  const auto before = crowded;
  std::vector<std::uint8_t> scratch(16);
  EXPECT_FALSE(kavelo::logic::CompactIntoInterior(crowded.data(), 4, 4, scratch.data()));
  EXPECT_EQ(crowded, before);
}

TEST(LogicShuffle, EachModeKeepsTheKindsAndTheStateAndMovesOnlyWhatItShould) {
  struct Case {
    std::uint8_t mode;
    bool changes;
    bool compacts;      // all tiles in the interior afterwards
    bool keepsPattern;  // occupied cells stay occupied, empty ones empty
  };
  const Case cases[] = {
      {ShuffleScatter, true, false, false}, {ShuffleMix, true, false, true}, {ShuffleCompact, true, true, false},
      {ShuffleSpread, true, true, false},   {0, false, false, true},         {5, false, false, true},
      {255, false, false, true},
  };
  for (const Case& c : cases) {
    for (const std::uint32_t seed : {1u, 77u, 123456u}) {
      SCOPED_TRACE(::testing::Message() << "mode " << int(c.mode) << " seed " << seed);
      CKaveloInternal board;
      board.SetClocks(FixedClocks(seed, seed * 3 + 1));
      ASSERT_TRUE(board.InitBoard(20, 12, 7, 20));
      board.Shuffle(ShuffleCompact);
      // A tile in the border ring and some gaps, as a game in progress may have.
      board.m_tiles[3] = 7;
      board.m_tiles[30] = board.m_tiles[31] = 0;
      board.m_selX = 4;
      board.m_selY = 5;
      board.m_trail[50] = 6;
      const auto before = Grid(board);

      board.Shuffle(c.mode);
      const auto after = Grid(board);
      EXPECT_EQ(after != before, c.changes);
      EXPECT_EQ(KindCounts(after), KindCounts(before));
      if (c.compacts) {
        EXPECT_TRUE(RingIsEmpty(board));
      }
      for (std::size_t i = 0; c.keepsPattern && i < after.size(); ++i) {
        ASSERT_EQ(after[i] != 0, before[i] != 0) << "cell " << i;
      }
      EXPECT_EQ(board.m_tilesLeft, 140);
      EXPECT_EQ(board.m_selX, 4);
      EXPECT_EQ(board.m_selY, 5);
      EXPECT_EQ(board.m_trail[50], 6);
    }
  }
}

TEST(LogicShuffle, EachModeIsSeededByItsOwnClock) {
  struct Case {
    std::uint8_t mode;
    bool followsTick;
    bool followsCalendar;
  };
  const Case cases[] = {
      {ShuffleScatter, true, false}, {ShuffleMix, false, true}, {ShuffleCompact, false, true}, {ShuffleSpread, true, true}};
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
    EXPECT_TRUE(std::equal(before.begin() + 32768, before.end(), after.begin() + 32768));
    EXPECT_FALSE(std::equal(before.begin(), before.begin() + 32768, after.begin()));
  }
}

TEST(LogicShuffle, SpreadingMovesTheGapsAroundTheInterior) {
  int tilesInLastRow = 0;
  for (std::uint32_t tick = 1; tick <= 10; ++tick) {
    CKaveloInternal board;
    board.SetClocks(FixedClocks(tick, 99));
    ASSERT_TRUE(board.InitBoard(6, 5, 2, 4));  // 8 tiles, a 4 x 3 interior
    board.Shuffle(ShuffleSpread);
    EXPECT_TRUE(RingIsEmpty(board));
    EXPECT_EQ(KindCounts(Grid(board))[1], 4);
    EXPECT_EQ(KindCounts(Grid(board))[2], 4);
    // Compaction alone leaves the last interior row empty.
    for (int x = 1; x <= 4; ++x) tilesInLastRow += board.GetTile(x, 3) != 0 ? 1 : 0;
  }
  EXPECT_GT(tilesInLastRow, 0);
}

}  // namespace
