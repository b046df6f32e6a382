#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "logic/KaveloInternal.h"
#include "logic/KaveloRandom.h"
#include "logic/TileCompaction.h"
#include "tests/logic/BoardBuilder.h"
#include "tests/logic/LinkBfs.h"

namespace {

TEST(LogicBoard, DealingPacksTheKindsFromTheCornerUpToWhatTheInteriorHolds) {
  // grid: the first cells, row by row; the others stay empty.
  struct Case { int width, height, kinds, copies; std::vector<std::uint8_t> grid; };
  Case cases[] = {
      {6, 5, 3, 4, {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3}},
      {6, 6, 5, 4, {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4}},
      {8, 8, 3, 5, {1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3}},
      {8, 8, 2, 0, {}},
      {3, 3, 4, 9, {1}},
      {255, 255, 255, 255, {}},  // 253 * 253 interior cells: 251 kinds of 255 copies, then 4 of kind 252
  };
  for (int i = 0; i < 253 * 253; ++i) cases[5].grid.push_back(static_cast<std::uint8_t>(i / 255 + 1));
  for (Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " " << c.kinds << " kinds x " << c.copies);
    c.grid.resize(c.width * c.height);
    CKaveloInternal board;
    ASSERT_TRUE(board.InitBoard(c.width, c.height, c.kinds, c.copies));
    EXPECT_EQ(board.TilesLeft(), std::count_if(c.grid.begin(), c.grid.end(), [](std::uint8_t t) { return t != 0; }));
    EXPECT_EQ(Tiles(board), c.grid);
  }
}

TEST(LogicBoard, BoardsWithoutInteriorOrKindsAreRefusedAndNothingWorksOnThem) {
  for (const auto& c : std::vector<std::array<int, 3>>{{0, 8, 2}, {8, 0, 2}, {2, 8, 2}, {8, 2, 2}, {8, 8, 0}}) {
    SCOPED_TRACE(::testing::PrintToString(c));
    CKaveloInternal board;
    ASSERT_TRUE(board.InitBoard(6, 6, 2, 2));  // a refusal also drops an earlier board
    EXPECT_FALSE(board.InitBoard(c[0], c[1], c[2], 2));
    EXPECT_TRUE(!board.Ready() && board.Tiles() == nullptr && board.Width() == 0);
    int result = 12345;
    kavelo::logic::CellPair hint;
    EXPECT_FALSE(board.ClickCell(1, 1, result) || board.FindLink(1, 1, 2, 1) || board.MarkTrail(1, 1, 2, 1) ||
                 board.RemoveTile(1, 1) || board.FindHint(hint) || board.IsRowClear(1, 1, 1));
    EXPECT_EQ(result, 12345);
  }
}

// x, y, then what follows the click: result, returned, selected x and y, misses, pairs, score, tiles left.
using Click = std::array<int, 10>;

void PlayClicks(CKaveloInternal& board, const std::vector<Click>& clicks) {
  for (const Click& c : clicks) {
    int code = -7;
    const bool returned = board.ClickCell(c[0], c[1], code);
    EXPECT_EQ((Click{c[0], c[1], code, returned, board.SelX(), board.SelY(), board.Misses(), board.PairsRemoved(),
                     board.Score(), board.TilesLeft()}), c);
  }
}

TEST(LogicBoard, ClicksSelectRejectCancelAndRemovePairs) {
  auto board = BoardWith(6, 5, {{1, 1, 3}, {3, 1, 3}, {2, 1, 5}, {2, 2, 5}, {4, 3, 2}});
  board->SetScoreStep(7);
  PlayClicks(*board, {{6, 1, Cancel, false, -1, -1, 0, 0, 0, 5}, {-1, 1, Cancel, false, -1, -1, 0, 0, 0, 5},
                      {0, 0, Cancel, false, -1, -1, 0, 0, 0, 5}, {1, 1, Choose, true, 1, 1, 0, 0, 0, 5},
                      {1, 1, Choose, true, 1, 1, 0, 0, 0, 5}, {2, 1, Wrong, true, 2, 1, 1, 0, 0, 5},
                      {0, 0, Cancel, false, -1, -1, 1, 0, 0, 5}, {1, 1, Choose, true, 1, 1, 1, 0, 0, 5},
                      {3, 1, Connect, true, -1, -1, 1, 1, 7, 3}});
  EXPECT_EQ(MarkedCells(*board), (CellSet{{1, 0}, {2, 0}, {3, 0}, {1, 1}, {3, 1}}));
  EXPECT_EQ(board->Trail()[2], 10);
  PlayClicks(*board, {{2, 1, Choose, true, 2, 1, 1, 1, 7, 3}, {2, 2, Connect, true, -1, -1, 1, 2, 14, 1}});

  // One kind without a path is a miss; a selection whose tile went (as a shuffle may
  // leave it) gives way without one.
  board = BoardWith(5, 4, {{1, 1, 2}, {2, 2, 2}, {2, 1, 6}, {1, 2, 6}, {0, 1, 6}, {1, 0, 6}, {3, 2, 6}, {2, 3, 6}});
  PlayClicks(*board, {{1, 1, Choose, true, 1, 1, 0, 0, 0, 8}, {2, 2, Wrong, true, 2, 2, 1, 0, 0, 8}});
  board->RemoveTile(2, 2);
  PlayClicks(*board, {{1, 1, Choose, true, 1, 1, 1, 0, 0, 7}});

  // The last pair wins; the score wraps; only the low 16 bits of a coordinate count.
  board = BoardWith(5, 4, {{2, 1, 2}, {2, 2, 2}});
  BoardTestAccess::SetScore(*board, 2147483600);
  board->SetScoreStep(100);
  PlayClicks(*board, {{65538, 1, Choose, true, 2, 1, 0, 0, 2147483600, 2},
                      {0xFF02, 1, Cancel, false, -1, -1, 0, 0, 2147483600, 2},  // -254 in 16 bits, 2 in 8
                      {2, 1, Choose, true, 2, 1, 0, 0, 2147483600, 2},
                      {2, 65538, Win, true, -1, -1, 0, 1, -2147483596, 0}});
}

TEST(LogicBoard, TheGeneratorFollowsTheClassicSequence) {
  CKaveloRandom random;
  for (const int expected : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(random.Next(), expected);
  random.Seed(0xFFFFFFFFu);
  for (const int expected : {35, 29739, 3374}) EXPECT_EQ(random.Next(), expected);
}

TEST(LogicBoard, CompactionReadsColumnByColumnAndFillsTheInteriorRowByRow) {
  CKaveloInternal board;
  ASSERT_TRUE(board.InitBoard(6, 5, 3, 4));
  std::vector<std::uint8_t> scratch(30);
  ASSERT_TRUE(kavelo::logic::CompactIntoInterior(BoardTestAccess::Tiles(board), 6, 5, scratch.data()));
  EXPECT_EQ(Tiles(board), (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, /**/ 0, 1, 2, 1, 2, 0, /**/ 0, 1, 3, 1, 3, 0,
                                                     /**/ 0, 2, 3, 2, 3, 0, /**/ 0, 0, 0, 0, 0, 0}));
}

TEST(LogicBoard, EachShuffleKeepsTheKindsMovesOnlyWhatItShouldAndFollowsItsOwnClock) {
  // compacts: all tiles in the interior afterwards; keepsPattern: occupied cells stay occupied.
  struct Case { std::uint8_t mode; bool ready, followsTick, followsCalendar, compacts, keepsPattern; };
  const Case cases[] = {
      {ShuffleScatter, true, true, false, false, false}, {ShuffleMix, true, false, true, false, true},
      {ShuffleCompact, true, false, true, true, false}, {ShuffleSpread, true, true, true, true, false},
      {0, true, false, false, false, true}, {5, true, false, false, false, true},
      {ShuffleSpread, false, false, false, false, true},  // on a board not ready
  };
  const auto shuffled = [](const Case& c, std::uint32_t tick, std::uint32_t calendar) {
    CKaveloInternal board;
    board.SetClocks({[tick] { return tick; }, [calendar] { return calendar; }});
    board.InitBoard(12, 10, 9, 8);  // 72 tiles from the corner on, the border ring's top row among them
    BoardTestAccess::SetReady(board, c.ready);
    BoardTestAccess::Select(board, 4, -1);
    board.Shuffle(c.mode);
    EXPECT_EQ(std::pair(board.TilesLeft(), int{board.SelX()}), std::pair(72, 4));
    return Tiles(board);
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "mode " << int(c.mode) << (c.ready ? "" : " on a board not ready"));
    const auto before = shuffled({0, true, false, false, false, true}, 1, 1);
    const auto after = shuffled(c, 1000, 1700000000);
    EXPECT_EQ(shuffled(c, 1000, 1700000000), after);
    EXPECT_EQ(shuffled(c, 2000, 1700000000) != after, c.followsTick);
    EXPECT_EQ(shuffled(c, 1000, 1700000001) != after, c.followsCalendar);
    EXPECT_EQ(after != before, c.followsTick || c.followsCalendar);
    EXPECT_EQ(std::multiset(after.begin(), after.end()), std::multiset(before.begin(), before.end()));
    for (int i = 0; i < 120; ++i) {
      const bool ring = i < 12 || i >= 108 || i % 12 == 0 || i % 12 == 11;
      EXPECT_FALSE((c.compacts && ring && after[i] != 0) || (c.keepsPattern && (after[i] != 0) != (before[i] != 0)))
          << "cell " << i;
    }
  }
}

// The cells of a path given by its corners, each segment straight.
CellSet PathCells(const std::vector<Cell>& corners) {
  CellSet cells;
  for (std::size_t i = 1; i < corners.size(); ++i) {
    const auto [x1, x2] = std::minmax(corners[i - 1].first, corners[i].first);
    const auto [y1, y2] = std::minmax(corners[i - 1].second, corners[i].second);
    for (int y = y1; y <= y2; ++y) {
      for (int x = x1; x <= x2; ++x) cells.insert({x, y});
    }
  }
  return cells;
}

TEST(LogicLinkSearch, TheFirstFreeCandidateInTheOrderOfTrialIsMarked) {
  // others: tiles on a 6 x 6 board besides the two ends; corners: of the path marked from
  // one end to the other, or just the two ends.
  struct Case { std::string name; std::vector<Cell> others, corners; bool linked = true; };
  const Case cases[] = {
      {"a straight line between neighbours", {}, {{1, 1}, {2, 1}}},
      {"border column 0 comes before the one-turn paths", {}, {{1, 1}, {0, 1}, {0, 2}, {3, 2}}},
      {"columns 0 to 2 blocked, column 3 is the one-turn path", {{2, 2}}, {{1, 1}, {3, 1}, {3, 2}}},
      {"a pair in one row detours through border row 0", {{2, 3}}, {{1, 3}, {1, 0}, {4, 0}, {4, 3}}},
      {"rows 0 and 1 blocked, the detour goes through row 2", {{2, 3}, {1, 1}}, {{1, 3}, {1, 2}, {4, 2}, {4, 3}}},
      {"a pair in one column detours through border column 0", {{2, 2}}, {{2, 1}, {0, 1}, {0, 4}, {2, 4}}},
      {"a walled-in tile has no path", {{1, 2}, {3, 2}, {2, 1}, {2, 3}}, {{2, 2}, {1, 1}}, false},
      {"a cell is never linked to itself", {}, {{1, 1}, {1, 1}}, false},
  };
  for (const Case& c : cases) {
    const CellSet expected = c.linked ? PathCells(c.corners) : CellSet{};
    const Cell a = c.corners.front();
    const Cell b = c.corners.back();
    for (const auto& [from, to] : {std::pair{a, b}, std::pair{b, a}}) {
      SCOPED_TRACE(::testing::Message() << c.name << ", from (" << from.first << "," << from.second << ")");
      auto board = BoardWith(6, 6, {{from.first, from.second, 3}, {to.first, to.second, 3}});
      for (const Cell& cell : c.others) PlaceTile(*board, cell.first, cell.second, 7);
      EXPECT_EQ(board->FindLink(from.first, from.second, to.first, to.second), c.linked);
      EXPECT_EQ(MarkedCells(*board), expected);
    }
  }
}

TEST(LogicLinkSearch, TrailCountersAreCappedAt127AndCountDownToZero) {
  auto board = BoardWith(6, 4, {{1, 1, 2}, {4, 1, 2}});
  board->SetTrailFrames(200);
  std::int8_t* trail = BoardTestAccess::Trail(*board);
  trail[0] = 10;
  trail[1] = 1;
  trail[3] = -5;
  ASSERT_TRUE(board->FindLink(1, 1, 4, 1));
  board->AdvanceTrail();
  std::vector<std::int8_t> expected = {9, 0, 0, -5, 0, 0, /**/ 0, 126, 126, 126, 126, 0};
  expected.resize(24);
  EXPECT_EQ(std::vector<std::int8_t>(board->Trail(), board->Trail() + 24), expected);
}

constexpr int kRounds = 1000;
constexpr int kPairsPerRound = 20;

// A board of 3 to maxSide cells a side whose every cell, border ring included, holds a
// tile of a random kind or none.
std::unique_ptr<CKaveloInternal> RandomBoard(std::mt19937& random, int maxSide, int maxKinds) {
  std::uniform_int_distribution<int> side(3, maxSide);
  const int width = side(random);
  auto board = BoardWith(width, side(random), {});
  std::bernoulli_distribution occupied(std::uniform_real_distribution<double>(0.05, 0.9)(random));
  std::uniform_int_distribution<int> kind(1, std::uniform_int_distribution<int>(1, maxKinds)(random));
  for (int i = 0; i < width * board->Height(); ++i) {
    if (occupied(random)) PlaceTile(*board, i % width, i / width, static_cast<std::uint8_t>(kind(random)));
  }
  return board;
}

// Whether `trail` is exactly the cells of a path from a to b of at most three straight
// segments that never goes back over itself and whose cells between the ends are free.
bool IsShortFreePath(const CKaveloInternal& board, const CellSet& trail, Cell a, Cell b) {
  for (const Cell& c : trail) {
    if (c != a && c != b && board.GetTile(c.first, c.second) != 0) return false;
  }
  const auto distance = [](Cell p, Cell q) { return std::abs(p.first - q.first) + std::abs(p.second - q.second); };
  for (int i = 0; i < board.Width() + board.Height(); ++i) {
    const Cell turn1 = i < board.Width() ? Cell{i, a.second} : Cell{a.first, i - board.Width()};
    for (const Cell& turn2 : {Cell{turn1.first, b.second}, Cell{b.first, turn1.second}}) {
      if (distance(a, turn1) + distance(turn1, turn2) + distance(turn2, b) + 1 != int(trail.size())) continue;
      if (PathCells({a, turn1, turn2, b}) == trail) return true;
    }
  }
  return false;
}

// Both searches against an independent judge: any pair of cells links exactly when the
// breadth-first search links it, along a short free path; a hint exists exactly when some
// pair of one kind links, and names such a pair.
TEST(LogicLinkSearch, OnRandomBoardsLinksAndHintsAgreeWithBreadthFirstSearch) {
  std::mt19937 random(20240611);
  CLinkBfs bfs;
  int linkedPairs = 0;
  int hints = 0;
  for (int round = 0; round < kRounds; ++round) {
    auto board = RandomBoard(random, round % 10 == 0 ? 40 : 12, round % 3 == 0 ? 255 : 12);
    const int width = board->Width();
    const int cells = width * board->Height();
    std::uniform_int_distribution<int> x(0, width - 1), y(0, board->Height() - 1);
    for (int pair = 0; pair < kPairsPerRound; ++pair) {
      const Cell a{x(random), y(random)};
      const Cell b{x(random), y(random)};
      SCOPED_TRACE(::testing::Message() << "round " << round << " " << ::testing::PrintToString(std::pair{a, b}));
      const bool linked = bfs.Linked(*board, a.first, a.second, b.first, b.second);
      linkedPairs += linked ? 1 : 0;
      EXPECT_EQ(board->CanLink(a.first, a.second, b.first, b.second), linked);
      for (const auto& [from, to] : {std::pair{a, b}, std::pair{b, a}}) {
        std::fill(BoardTestAccess::Trail(*board), BoardTestAccess::Trail(*board) + cells, std::int8_t{0});
        ASSERT_EQ(board->FindLink(from.first, from.second, to.first, to.second), linked);
        EXPECT_TRUE(linked ? IsShortFreePath(*board, MarkedCells(*board), from, to) : MarkedCells(*board).empty());
      }
    }
    bool anyPair = false;
    for (int a = 0; a < cells && !anyPair; ++a) {
      for (int b = a + 1; b < cells && !anyPair; ++b) {
        anyPair = board->Tiles()[a] != 0 && board->Tiles()[a] == board->Tiles()[b] &&
                  bfs.Linked(*board, a % width, a / width, b % width, b / width);
      }
    }
    kavelo::logic::CellPair pair;
    ASSERT_EQ(board->FindHint(pair), anyPair) << "round " << round;
    if (!anyPair) continue;
    ++hints;
    const auto [p, q] = CellsOf(*board, pair);
    const std::uint8_t kind = board->GetTile(p.first, p.second);
    EXPECT_TRUE(kind != 0 && board->GetTile(q.first, q.second) == kind &&
                bfs.Linked(*board, p.first, p.second, q.first, q.second))
        << "round " << round;
  }
  // Both answers of each search must be well exercised for the agreement to mean anything.
  EXPECT_TRUE(linkedPairs > kRounds * kPairsPerRound / 4 && linkedPairs < kRounds * kPairsPerRound * 3 / 4)
      << linkedPairs;
  EXPECT_TRUE(hints > kRounds / 10 && hints < kRounds * 9 / 10) << hints;
}

}  // namespace
