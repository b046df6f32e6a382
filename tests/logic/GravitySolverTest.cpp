// The solver and the clearable dealing under each gravity variant.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

#include "tests/logic/GravityBoards.h"
#include "tests/logic/LinkBfs.h"

namespace {

constexpr std::uint32_t kNoHurry = 60000;
constexpr Gravity kFalling[] = {Gravity::Down, Gravity::Up, Gravity::Left, Gravity::Right};

// Whether some order of links clears the grid, each removal followed by the plainly read
// fall: every move tried, failed positions remembered, links judged by breadth-first
// search on `scratch`.
class ExhaustiveSearch {
 public:
  ExhaustiveSearch(int width, int height, Gravity gravity)
      : m_width(width), m_height(height), m_gravity(gravity), m_scratch(BoardWith(width, height, {})) {}

  bool Clearable(const std::vector<std::uint8_t>& grid) {
    if (std::all_of(grid.begin(), grid.end(), [](std::uint8_t t) { return t == 0; })) return true;
    if (m_failed.count(grid) != 0) return false;
    for (int a = 0; a < static_cast<int>(grid.size()); ++a) {
      for (int b = a + 1; b < static_cast<int>(grid.size()); ++b) {
        if (grid[a] == 0 || grid[a] != grid[b] || !Linked(grid, a, b)) continue;
        std::vector<std::uint8_t> next = grid;
        next[a] = next[b] = 0;
        ReferenceFall(next, m_width, m_height, m_gravity, a, b);
        if (Clearable(next)) return true;
      }
    }
    m_failed.insert(grid);
    return false;
  }

 private:
  bool Linked(const std::vector<std::uint8_t>& grid, int a, int b) {
    std::copy(grid.begin(), grid.end(), BoardTestAccess::Tiles(*m_scratch));
    return m_bfs.Linked(*m_scratch, a % m_width, a / m_width, b % m_width, b / m_width);
  }

  int m_width, m_height;
  Gravity m_gravity;
  std::unique_ptr<CKaveloInternal> m_scratch;
  CLinkBfs m_bfs;
  std::set<std::vector<std::uint8_t>> m_failed;
};

void ExpectSolverAgrees(CKaveloInternal& board) {
  const auto before = Tiles(board);
  ExhaustiveSearch search(board.Width(), board.Height(), board.Gravity());
  std::vector<kavelo::logic::CellPair> moves;
  const SolveVerdict verdict = board.Solve(moves, kNoHurry);
  EXPECT_EQ(Tiles(board), before);
  EXPECT_EQ(verdict, search.Clearable(before) ? SolveVerdict::Solved : SolveVerdict::Unsolvable);
  if (verdict == SolveVerdict::Solved) {
    EXPECT_TRUE(ReplayWins(board, moves));
  }
}

TEST(LogicGravitySolver, AgreesWithExhaustiveSearchUnderEachVariantAndItsMovesWinByClicks) {
  for (const Gravity gravity : kFalling) {
    SCOPED_TRACE(static_cast<int>(gravity));
    // Every grid of a 3 x 2 interior over two kinds and gaps.
    for (int code = 0; code < 729; ++code) {
      auto board = BoardWith(5, 4, {});
      board->SetGravity(gravity);
      for (int cell = 0, rest = code; cell < 6; ++cell, rest /= 3) {
        PlaceTile(*board, 1 + cell % 3, 1 + cell / 3, static_cast<std::uint8_t>(rest % 3));
      }
      SCOPED_TRACE(::testing::PrintToString(Tiles(*board)));
      ExpectSolverAgrees(*board);
    }
    // Random boards up to 6 x 6 with up to 12 tiles, in the border ring too.
    std::mt19937 random(30 + static_cast<unsigned>(gravity));
    for (int round = 0; round < 150; ++round) {
      const int w = 4 + static_cast<int>(random() % 3), h = 4 + static_cast<int>(random() % 3);
      auto board = BoardWith(w, h, {});
      board->SetGravity(gravity);
      const int tiles = static_cast<int>(random() % 13) & ~(round % 7 == 0 ? 0 : 1);
      for (int i = 0; i < tiles; ++i) {
        const int cell = static_cast<int>(random() % (w * h));
        PlaceTile(*board, cell % w, cell / w, static_cast<std::uint8_t>(1 + (i / 2) % (1 + random() % 3)));
      }
      SCOPED_TRACE(::testing::PrintToString(Tiles(*board)));
      ExpectSolverAgrees(*board);
    }
  }
}

TEST(LogicGravitySolver, AClearableDealUnderOneVariantIsDealtForItsOwnFalls) {
  // The same number deals other boards under other variants: the dealing plays its game
  // with the variant's falls.
  std::set<std::vector<std::uint8_t>> boards;
  for (const Gravity gravity : kVariants) {
    CKaveloInternal board;
    board.InitBoard(18, 12, 36, 4);
    board.SetGravity(gravity);
    board.SetSolvableShuffles(true);
    board.DealByNumber(5);
    board.Shuffle(ShuffleSpread);
    boards.insert(Tiles(board));
  }
  EXPECT_EQ(boards.size(), std::size(kVariants));
}

}  // namespace
