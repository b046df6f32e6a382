#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "logic/KaveloInternal.h"
#include "tests/logic/BoardBuilder.h"
#include "tests/logic/LinkBfs.h"

namespace {

constexpr std::uint32_t kNoHurry = 60000;

// Whether some order of links clears the grid: every move tried, with a memo of the
// positions that failed, links judged by breadth-first search.
bool Clearable(CKaveloInternal& board, CLinkBfs& bfs, std::set<std::vector<std::uint8_t>>& failed) {
  const auto tiles = Tiles(board);
  if (std::all_of(tiles.begin(), tiles.end(), [](std::uint8_t t) { return t == 0; })) return true;
  if (failed.count(tiles) != 0) return false;
  const int w = board.Width();
  for (int a = 0; a < static_cast<int>(tiles.size()); ++a) {
    for (int b = a + 1; b < static_cast<int>(tiles.size()); ++b) {
      if (tiles[a] == 0 || tiles[a] != tiles[b] || !bfs.Linked(board, a % w, a / w, b % w, b / w)) continue;
      std::uint8_t* grid = BoardTestAccess::Tiles(board);
      grid[a] = grid[b] = 0;
      const bool cleared = Clearable(board, bfs, failed);
      grid[a] = grid[b] = tiles[a];
      if (cleared) return true;
    }
  }
  failed.insert(tiles);
  return false;
}

void ExpectSolverAgrees(CKaveloInternal& board) {
  CLinkBfs bfs;
  std::set<std::vector<std::uint8_t>> failed;
  const auto before = Tiles(board);
  std::vector<kavelo::logic::CellPair> moves;
  const SolveVerdict verdict = board.Solve(moves, kNoHurry);
  EXPECT_EQ(Tiles(board), before);
  EXPECT_EQ(verdict, Clearable(board, bfs, failed) ? SolveVerdict::Solved : SolveVerdict::Unsolvable);
  if (verdict == SolveVerdict::Solved) {
    EXPECT_TRUE(ReplayWins(board, moves));
  }
}

TEST(LogicSolver, AgreesWithExhaustiveSearchAndItsMovesWinByClicks) {
  // Every grid of a 3 x 2 interior over two kinds and gaps.
  for (int code = 0; code < 729; ++code) {
    auto board = BoardWith(5, 4, {});
    for (int cell = 0, rest = code; cell < 6; ++cell, rest /= 3) {
      PlaceTile(*board, 1 + cell % 3, 1 + cell / 3, static_cast<std::uint8_t>(rest % 3));
    }
    SCOPED_TRACE(::testing::PrintToString(Tiles(*board)));
    ExpectSolverAgrees(*board);
  }
  // Random boards up to 7 x 6 with up to 14 tiles, in the border ring too, kinds mostly
  // in pairs.
  std::mt19937 random(14);
  for (int round = 0; round < 400; ++round) {
    const int w = 4 + static_cast<int>(random() % 4), h = 4 + static_cast<int>(random() % 3);
    auto board = BoardWith(w, h, {});
    const int tiles = static_cast<int>(random() % 15) & ~(round % 7 == 0 ? 0 : 1);
    for (int i = 0; i < tiles; ++i) {
      const int cell = static_cast<int>(random() % (w * h));
      PlaceTile(*board, cell % w, cell / w, static_cast<std::uint8_t>(1 + (i / 2) % (1 + random() % 4)));
    }
    SCOPED_TRACE(::testing::PrintToString(Tiles(*board)));
    ExpectSolverAgrees(*board);
  }
}

TEST(LogicSolver, RunsOutOfTimeOnTheInjectedClockAndOnlyThen) {
  std::uint32_t now = 0;
  CKaveloInternal board;
  board.SetClocks({[&now] { return now++; }, {}});  // each reading a millisecond later
  board.InitBoard(18, 12, 36, 4);
  board.SetSolvableShuffles(true);
  board.Shuffle(ShuffleSpread);
  std::vector<kavelo::logic::CellPair> moves;
  EXPECT_EQ(board.Solve(moves, 3), SolveVerdict::Unknown);
  EXPECT_TRUE(moves.empty());
  EXPECT_EQ(board.Solve(moves, kNoHurry), SolveVerdict::Solved);
  EXPECT_EQ(static_cast<int>(moves.size()), 72);
}

// Kinds per cell, and a cell's pattern (occupied or not).
std::multiset<std::uint8_t> Kinds(const std::vector<std::uint8_t>& tiles) { return {tiles.begin(), tiles.end()}; }
std::vector<bool> Pattern(const std::vector<std::uint8_t>& tiles) {
  std::vector<bool> pattern;
  for (std::uint8_t t : tiles) pattern.push_back(t != 0);
  return pattern;
}

// Under every rule variant: a board dealt clearable under gravity is cleared under it.
TEST(LogicSolver, ClearableShufflesKeepTheModesCellsAndKindsAndCanBeCleared) {
  struct Case { int w, h, kinds, copies; bool clearable; };
  const Case cases[] = {
      {18, 12, 36, 4, true}, {6, 5, 3, 4, true}, {12, 10, 9, 8, true}, {9, 7, 5, 6, true},
      {8, 8, 3, 5, false},   // odd counts: only a pair that links is promised
      {6, 6, 7, 1, false},   // no kind twice: the mode's own result
  };
  using kavelo::logic::Gravity;
  for (const Gravity gravity : {Gravity::None, Gravity::Down, Gravity::Up, Gravity::Left, Gravity::Right}) {
    for (const Case& c : cases) {
      for (std::uint8_t mode = ShuffleScatter; mode <= ShuffleSpread; ++mode) {
        for (std::uint32_t seed = 1; seed <= (gravity == Gravity::None ? 6u : 3u); ++seed) {
          SCOPED_TRACE(::testing::Message() << "gravity " << int(gravity) << ", " << c.w << "x" << c.h << " mode "
                                            << int(mode) << " seed " << seed);
          std::vector<std::uint8_t> plain;
          for (const bool solvable : {false, true}) {
            CKaveloInternal board;
            board.SetClocks({[seed] { return seed * 977; }, [seed] { return seed * 31337; }});
            board.InitBoard(c.w, c.h, c.kinds, c.copies);
            board.SetGravity(gravity);
            board.SetSolvableShuffles(solvable);
            board.Shuffle(mode);
            board.Shuffle(mode);  // mode 1 after 1 leaves tiles in the ring
            if (!solvable) {
              plain = Tiles(board);
              continue;
            }
            EXPECT_EQ(Kinds(Tiles(board)), Kinds(plain));
            EXPECT_EQ(Pattern(Tiles(board)), Pattern(plain));
            std::vector<kavelo::logic::CellPair> moves;
            kavelo::logic::CellPair hint;
            if (c.clearable) {
              ASSERT_EQ(board.Solve(moves, kNoHurry), SolveVerdict::Solved);
              EXPECT_TRUE(ReplayWins(board, moves));
            } else {
              EXPECT_EQ(board.FindHint(hint), c.copies > 1);
            }
          }
        }
      }
    }
  }
}

// Ops: a, b, c link the pairs of kinds 1, 2, 3; m misses; u undoes; r redoes; s shuffles.
TEST(LogicUndo, SequencesOfUndoAndRedoMoveTilesAndCountersOnly) {
  struct Case {
    std::string ops;
    std::string answers;  // of u and r, in order: 1 done, 0 refused
    std::string removed;  // pairs off the board at the end; "*" after a shuffle
    int misses;
  };
  const Case cases[] = {
      {"u", "0", "", 0},           {"r", "0", "", 0},         {"au", "1", "", 0},
      {"abuu", "11", "", 0},       {"abuur", "111", "a", 0},  {"abuurrr", "11110", "ab", 0},
      {"abucr", "10", "ac", 0},    {"amu", "1", "", 1},       {"abcuuu", "111", "", 0},
      {"abcuuurrru", "1111111", "ab", 0}, {"ausr", "10", "*", 0}, {"abus", "1", "*", 0},
  };
  const std::map<char, std::pair<Cell, Cell>> pairs = {
      {'a', {{1, 1}, {3, 1}}}, {'b', {{1, 2}, {4, 3}}}, {'c', {{2, 4}, {4, 4}}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ops);
    auto board = BoardWith(6, 6, {{1, 1, 1}, {3, 1, 1}, {1, 2, 2}, {4, 3, 2}, {2, 4, 3}, {4, 4, 3}, {2, 1, 9}});
    board->SetScoreStep(10);
    std::string answers;
    std::vector<std::pair<Cell, Cell>> taken, undone;  // what undo and redo would move, last on top
    int result = 0;
    for (const char op : c.ops) {
      if (pairs.count(op) != 0) {
        const auto& [p, q] = pairs.at(op);
        board->ClickCell(p.first, p.second, result);
        board->ClickCell(q.first, q.second, result);
        ASSERT_EQ(result, Connect);
        taken.push_back(pairs.at(op));
        undone.clear();
      } else if (op == 'm') {
        board->ClickCell(2, 1, result);
        board->ClickCell(1, 2, result);
      } else if (op == 's') {
        board->Shuffle(ShuffleMix);
      } else {
        BoardTestAccess::Select(*board, 2, 2);
        const bool done = op == 'u' ? board->Undo() : board->Redo();
        answers += done ? '1' : '0';
        EXPECT_EQ(board->SelX(), done ? -1 : 2);
        if (done && op == 'u') {
          const auto& [p, q] = taken.back();
          EXPECT_EQ(board->Trail()[p.second * 6 + p.first] + board->Trail()[q.second * 6 + q.first], 0);
          undone.push_back(taken.back());
          taken.pop_back();
        } else if (done) {
          taken.push_back(undone.back());
          undone.pop_back();
        }
      }
    }
    EXPECT_EQ(answers, c.answers);
    const int gone = c.removed == "*" ? static_cast<int>(taken.size()) : static_cast<int>(c.removed.size());
    EXPECT_EQ(std::vector<int>({board->PairsRemoved(), board->Score(), board->TilesLeft(), board->Misses()}),
              std::vector<int>({gone, 10 * gone, 7 - 2 * gone, c.misses}));
    if (c.removed == "*") continue;
    for (const auto& [op, pair] : pairs) {
      const bool off = c.removed.find(op) != std::string::npos;
      EXPECT_EQ(board->GetTile(pair.first.first, pair.first.second) == 0, off) << op;
      EXPECT_EQ(board->GetTile(pair.second.first, pair.second.second) == 0, off) << op;
    }
  }
}

}  // namespace
