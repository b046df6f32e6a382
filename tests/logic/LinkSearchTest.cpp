#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "logic/KaveloInternal.h"
#include "tests/logic/BoardBuilder.h"
#include "tests/logic/LinkBfs.h"
#include "tests/logic/TrailCells.h"

namespace {

TEST(LogicLinkSearch, TheFirstFreeCandidateInTheOrderOfTrialIsMarked) {
  using Segments = std::vector<std::pair<Cell, Cell>>;
  struct Case {
    std::string name;
    int width, height;
    std::vector<PlacedTile> others;  // tiles besides the two ends
    Cell a, b;
    Segments trail;                  // none: no path
  };
  const Case cases[] = {
      {"a straight line between neighbours", 5, 4, {}, {1, 1}, {2, 1}, {{{1, 1}, {2, 1}}}},
      {"border column 0 comes before the one-turn paths", 5, 4, {}, {1, 1}, {3, 2}, {{{1, 1}, {0, 1}}, {{0, 2}, {3, 2}}}},
      {"columns 0 to 2 blocked, column 3 is the one-turn path", 5, 4, {{2, 2, 7}}, {1, 1}, {3, 2},
       {{{1, 1}, {3, 1}}, {{3, 1}, {3, 2}}}},
      {"a pair in one row detours through border row 0", 6, 6, {{2, 3, 7}}, {1, 3}, {4, 3},
       {{{1, 3}, {1, 0}}, {{1, 0}, {4, 0}}, {{4, 0}, {4, 3}}}},
      {"rows 0 and 1 blocked, the detour goes through row 2", 6, 6, {{2, 3, 7}, {1, 1, 7}}, {1, 3}, {4, 3},
       {{{1, 3}, {1, 2}}, {{1, 2}, {4, 2}}, {{4, 2}, {4, 3}}}},
      {"a pair in one column detours through border column 0", 6, 6, {{2, 2, 7}}, {2, 1}, {2, 4},
       {{{2, 1}, {0, 1}}, {{0, 1}, {0, 4}}, {{0, 4}, {2, 4}}}},
      {"a walled-in tile has no path", 5, 5, {{1, 2, 7}, {3, 2, 7}, {2, 1, 7}, {2, 3, 7}}, {2, 2}, {1, 1}, {}},
      {"a cell is never linked to itself", 5, 4, {}, {1, 1}, {1, 1}, {}},
      {"round the corner of the border ring", 5, 5, {{4, 4, 7}}, {4, 0}, {0, 4}, {{{4, 0}, {0, 0}}, {{0, 0}, {0, 4}}}},
  };
  for (const Case& c : cases) {
    CellSet expected;
    for (const auto& [from, to] : c.trail) AddSegment(expected, from, to);
    for (const bool swapped : {false, true}) {
      SCOPED_TRACE(c.name + (swapped ? ", ends swapped" : ""));
      std::vector<PlacedTile> tiles = c.others;
      tiles.push_back({c.a.first, c.a.second, 3});
      tiles.push_back({c.b.first, c.b.second, 3});
      auto board = BoardWith(c.width, c.height, tiles);
      const Cell from = swapped ? c.b : c.a;
      const Cell to = swapped ? c.a : c.b;
      EXPECT_EQ(board->FindLink(from.first, from.second, to.first, to.second), !expected.empty());
      EXPECT_EQ(MarkedCells(*board), expected);
      for (const Cell& cell : expected) EXPECT_EQ(board->m_trail[cell.second * c.width + cell.first], 10);
    }
  }
}

TEST(LogicLinkSearch, MarkingRestartsCountersOnThePathAndCapsThemAt127) {
  struct Case {
    int frames;
    int expected;
  };
  for (const Case c : {Case{10, 10}, Case{0, 0}, Case{127, 127}, Case{128, 127}, Case{255, 127}}) {
    SCOPED_TRACE(c.frames);
    auto board = BoardWith(6, 4, {{1, 1, 2}, {4, 1, 2}});
    board->m_trailFrames = static_cast<std::uint8_t>(c.frames);
    board->m_trail[1 * 6 + 2] = 3;  // on the path: starts again
    board->m_trail[2 * 6 + 2] = 5;  // off the path: keeps counting
    ASSERT_TRUE(board->FindLink(1, 1, 4, 1));
    for (int x = 1; x <= 4; ++x) EXPECT_EQ(board->m_trail[6 + x], c.expected) << "x " << x;
    EXPECT_EQ(board->m_trail[2 * 6 + 2], 5);
  }
}

TEST(LogicLinkSearch, AdvancingTheTrailLowersOnlyPositiveCounters) {
  auto board = BoardWith(4, 3, {});
  const std::int8_t before[] = {10, 1, 0, -5, 127, 2};
  const std::int8_t after[] = {9, 0, 0, -5, 126, 1};
  for (int i = 0; i < 6; ++i) board->m_trail[i] = before[i];
  board->AdvanceTrail();
  for (int i = 0; i < 6; ++i) EXPECT_EQ(board->m_trail[i], after[i]) << "cell " << i;
}

TEST(LogicLinkSearch, RowAndColumnChecksSkipTheNearCellAndIncludeTheFarOne) {
  auto board = BoardWith(6, 5, {{1, 1, 2}, {4, 1, 2}, {1, 3, 2}});
  // {row?, line, near, far, clear}
  const std::array<int, 5> cases[] = {
      {1, 1, 1, 1, 1}, {1, 1, 1, 3, 1}, {1, 1, 1, 4, 0}, {1, 1, 4, 5, 1}, {1, 1, 4, 0, 0}, {1, 1, 1, 0, 1},
      {0, 1, 1, 2, 1}, {0, 1, 1, 3, 0}, {0, 1, 3, 4, 1}, {0, 1, 0, 4, 0}, {0, 3, 0, 4, 1}, {0, 4, 0, 4, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c));
    EXPECT_EQ(c[0] ? board->IsRowClear(c[1], c[2], c[3]) : board->IsColumnClear(c[1], c[2], c[3]), c[4] != 0);
  }
}

// The candidate paths in the order of trial, checked cell by cell as the rules read; the
// corners of the first free one, or nothing. Every candidate is a path of at most three
// straight segments whose cells between the ends are free, so a trail equal to the first
// one is such a path.
struct Corners {
  Cell first;   // turn on the first end's side
  Cell second;  // turn on the second end's side
};

class ReferenceSearch {
 public:
  explicit ReferenceSearch(const CKaveloInternal& board) : m_board(board) {}

  std::optional<Corners> FirstPath(int x1, int y1, int x2, int y2) const {
    if (x1 == x2 && y1 == y2) return std::nullopt;
    if (y1 == y2) {
      if (RowFreeBetween(y1, x1, x2)) return Corners{{x2, y2}, {x2, y2}};
      for (int r = 0; r < m_board.m_height; ++r) {
        if (ColumnClear(x1, y1, r) && ColumnClear(x2, y2, r) && RowFreeBetween(r, x1, x2)) return Corners{{x1, r}, {x2, r}};
      }
    }
    if (x1 == x2) {
      if (ColumnFreeBetween(x1, y1, y2)) return Corners{{x2, y2}, {x2, y2}};
      for (int c = 0; c < m_board.m_width; ++c) {
        if (RowClear(y1, x1, c) && RowClear(y2, x2, c) && ColumnFreeBetween(c, y1, y2)) return Corners{{c, y1}, {c, y2}};
      }
    }
    for (int c = 0; c < m_board.m_width; ++c) {
      const bool reach1 = c == x1 || (RowFreeBetween(y1, x1, c) && Free(c, y1));
      const bool reach2 = c == x2 || (RowFreeBetween(y2, x2, c) && Free(c, y2));
      if (reach1 && reach2 && (y1 == y2 || ColumnFreeBetween(c, y1, y2))) return Corners{{c, y1}, {c, y2}};
    }
    for (int r = 0; r < m_board.m_height; ++r) {
      if (ColumnClear(x1, y1, r) && ColumnClear(x2, y2, r) && (x1 == x2 || RowFreeBetween(r, x1, x2))) {
        return Corners{{x1, r}, {x2, r}};
      }
    }
    return std::nullopt;
  }

 private:
  bool Free(int x, int y) const { return m_board.GetTile(x, y) == 0; }
  bool RowFreeBetween(int y, int a, int b) const {
    for (int x = std::min(a, b) + 1; x < std::max(a, b); ++x) {
      if (!Free(x, y)) return false;
    }
    return true;
  }
  bool ColumnFreeBetween(int x, int a, int b) const {
    for (int y = std::min(a, b) + 1; y < std::max(a, b); ++y) {
      if (!Free(x, y)) return false;
    }
    return true;
  }
  bool RowClear(int y, int nearX, int farX) const { return nearX == farX || (RowFreeBetween(y, nearX, farX) && Free(farX, y)); }
  bool ColumnClear(int x, int nearY, int farY) const {
    return nearY == farY || (ColumnFreeBetween(x, nearY, farY) && Free(x, farY));
  }

  const CKaveloInternal& m_board;
};

TEST(LogicLinkSearch, OnRandomBoardsTheSearchAgreesWithBreadthFirstSearchAndTheOrderOfTrial) {
  std::mt19937 random(20240611);
  CLinkBfs bfs;
  int linked = 0;
  int unlinked = 0;
  for (int round = 0; round < 600; ++round) {
    const int big = round % 10 == 0 ? 60 : 14;  // some boards with long runs
    const int width = std::uniform_int_distribution<int>(3, big)(random);
    const int height = std::uniform_int_distribution<int>(3, big)(random);
    auto board = BoardWith(width, height, {});
    FillRandomly(*board, random, std::uniform_real_distribution<double>(0.1, 0.8)(random), 4);
    std::vector<Cell> tiles;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (board->GetTile(x, y) != 0) tiles.push_back({x, y});
      }
    }
    if (tiles.size() < 2) continue;
    const ReferenceSearch reference(*board);
    std::uniform_int_distribution<std::size_t> pick(0, tiles.size() - 1);
    for (int pair = 0; pair < 30; ++pair) {
      const Cell a = tiles[pick(random)];
      const Cell b = tiles[pick(random)];
      if (a == b) continue;
      SCOPED_TRACE(::testing::Message() << "round " << round << " (" << a.first << "," << a.second << ")-(" << b.first
                                        << "," << b.second << ")");
      const bool expected = bfs.Linked(*board, a.first, a.second, b.first, b.second);
      EXPECT_EQ(board->CanLink(a.first, a.second, b.first, b.second), expected);
      ClearTrail(*board);
      ASSERT_EQ(board->FindLink(a.first, a.second, b.first, b.second), expected);
      const CellSet trail = MarkedCells(*board);
      const std::optional<Corners> first = reference.FirstPath(a.first, a.second, b.first, b.second);
      ASSERT_EQ(first.has_value(), expected);
      if (expected) {
        ++linked;
        CellSet chosen;
        AddSegment(chosen, a, first->first);
        AddSegment(chosen, b, first->second);
        AddSegment(chosen, first->first, first->second);
        EXPECT_EQ(trail, chosen);
      } else {
        ++unlinked;
        EXPECT_TRUE(trail.empty());
      }
      ClearTrail(*board);
      EXPECT_EQ(board->FindLink(b.first, b.second, a.first, a.second), expected);
      EXPECT_EQ(MarkedCells(*board), trail);
    }
  }
  // Both answers must have been exercised for the comparison to mean anything.
  EXPECT_GT(linked, 1000);
  EXPECT_GT(unlinked, 1000);
}

}  // namespace
