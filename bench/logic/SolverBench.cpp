// The solver and the clearable shuffles on the default game (16 x 10 interior, 36 kinds
// x 4) over 1000 boards each, against the plain shuffle as the baseline.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <random>
#include <vector>

#include "logic/BoardSolver.h"
#include "logic/KaveloInternal.h"
#include "tests/logic/BoardBuilder.h"

namespace {

constexpr int kBoards = 1000;
constexpr std::uint32_t kGenerousBudgetMs = 2000;

std::uint32_t NowMs() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Percentile(std::vector<double> values, double share) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<std::size_t>(share * static_cast<double>(values.size())))];
}

// Board `i` of a series: set up and shuffled with mode 4 from clocks of its own.
void DealBoard(CKaveloInternal& board, int i, bool solvable, int side = 0) {
  board.SetClocks({[i] { return static_cast<std::uint32_t>(i) * 7919u + 13u; },
                   [i] { return 1700000000u + static_cast<std::uint32_t>(i) * 104729u; }});
  if (side == 0) {
    board.InitBoard(18, 12, 36, 4);
  } else {
    board.InitBoard(static_cast<std::uint8_t>(side), static_cast<std::uint8_t>(side), 252, 254);  // 64008 tiles, every count even
  }
  board.SetSolvableShuffles(solvable);
  board.Shuffle(ShuffleSpread);
}

SolveVerdict SolveTimed(const CKaveloInternal& board, std::uint32_t budgetMs, double& ms) {
  std::vector<kavelo::logic::CellPair> moves;
  const auto start = std::chrono::steady_clock::now();
  const SolveVerdict verdict =
      kavelo::logic::SolveGrid({board.Tiles(), board.Width(), board.Height()}, kavelo::logic::Gravity::None, {budgetMs, NowMs}, moves);
  ms = MillisecondsSince(start);
  return verdict;
}

// Which share of shuffled boards can be cleared, plain (0) or clearable (1) shuffles.
void BM_ClearableShare(benchmark::State& state) {
  const bool solvable = state.range(0) != 0;
  int solved = 0, unsolvable = 0, unknown = 0;
  std::vector<double> times;
  for (auto _ : state) {
    solved = unsolvable = unknown = 0;
    times.clear();
    for (int i = 0; i < kBoards; ++i) {
      CKaveloInternal board;
      DealBoard(board, i, solvable);
      double ms = 0;
      const SolveVerdict verdict = SolveTimed(board, kGenerousBudgetMs, ms);
      times.push_back(ms);
      (verdict == SolveVerdict::Solved ? solved : verdict == SolveVerdict::Unsolvable ? unsolvable : unknown)++;
    }
  }
  state.SetLabel(solvable ? "clearable_shuffles" : "plain_shuffles");
  state.counters["clearable_pct"] = 100.0 * solved / kBoards;
  state.counters["unsolvable_pct"] = 100.0 * unsolvable / kBoards;
  state.counters["unknown_pct"] = 100.0 * unknown / kBoards;
  state.counters["solve_median_ms"] = Percentile(times, 0.5);
  state.counters["solve_p99_ms"] = Percentile(times, 0.99);
  if (solvable && solved != kBoards) state.SkipWithError("a clearable shuffle was not shown clearable");
}
BENCHMARK(BM_ClearableShare)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

// Solve on clearable boards within the 100 ms a player-facing search may take.
void BM_SolveClearableBoards(benchmark::State& state) {
  std::vector<double> times;
  int solved = 0;
  for (auto _ : state) {
    times.clear();
    solved = 0;
    for (int i = 0; i < kBoards; ++i) {
      CKaveloInternal board;
      DealBoard(board, kBoards + i, true);
      double ms = 0;
      solved += SolveTimed(board, 100, ms) == SolveVerdict::Solved;
      times.push_back(ms);
    }
  }
  state.counters["solved_pct"] = 100.0 * solved / kBoards;
  state.counters["median_ms"] = Percentile(times, 0.5);
  state.counters["p99_ms"] = Percentile(times, 0.99);
  state.counters["max_ms"] = Percentile(times, 1.0);
}
BENCHMARK(BM_SolveClearableBoards)->Iterations(1)->Unit(benchmark::kMillisecond);

// One clearable shuffle: the default game (range 0) or a full 255 x 255 board.
void BM_ClearableShuffleTime(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  const int boards = side == 0 ? kBoards : 5;
  std::vector<double> times;
  for (auto _ : state) {
    times.clear();
    for (int i = 0; i < boards; ++i) {
      CKaveloInternal board;
      DealBoard(board, i, false, side);
      board.SetSolvableShuffles(true);
      const auto start = std::chrono::steady_clock::now();
      board.Shuffle(ShuffleSpread);
      times.push_back(MillisecondsSince(start));
    }
  }
  state.SetLabel(side == 0 ? "default_game" : "255x255");
  state.counters["median_ms"] = Percentile(times, 0.5);
  state.counters["max_ms"] = Percentile(times, 1.0);
}
BENCHMARK(BM_ClearableShuffleTime)->Arg(0)->Arg(255)->Iterations(1)->Unit(benchmark::kMillisecond);

// Share of tiles with a 4-neighbour of their own kind, plain against clearable shuffles.
void BM_NeighbourShare(benchmark::State& state) {
  double share[2] = {};
  for (auto _ : state) {
    for (int solvable = 0; solvable < 2; ++solvable) {
      long tiles = 0, touching = 0;
      for (int i = 0; i < kBoards; ++i) {
        CKaveloInternal board;
        DealBoard(board, i, solvable != 0);
        const int w = board.Width();
        const std::uint8_t* tiles = board.Tiles();
        for (int cell = 0; cell < w * board.Height(); ++cell) {
          const std::uint8_t kind = tiles[cell];
          if (kind == 0) continue;
          ++tiles;
          const int x = cell % w, y = cell / w;
          touching += (x > 0 && tiles[cell - 1] == kind) || (x + 1 < w && tiles[cell + 1] == kind) ||
                      (y > 0 && tiles[cell - w] == kind) || (y + 1 < board.Height() && tiles[cell + w] == kind);
        }
      }
      share[solvable] = 100.0 * static_cast<double>(touching) / static_cast<double>(tiles);
    }
  }
  state.counters["plain_pct"] = share[0];
  state.counters["clearable_pct"] = share[1];
  state.counters["ratio"] = share[1] / share[0];
  if (share[1] > 1.5 * share[0]) state.SkipWithError("clearable shuffles pair neighbours too often");
}
BENCHMARK(BM_NeighbourShare)->Iterations(1)->Unit(benchmark::kMillisecond);

// Proving boards unsolvable: an interior filled with random pairs around a locked square
// of two kinds crossed over (neither pair can ever link).
void BM_ProveUnsolvable(benchmark::State& state) {
  const int inner = static_cast<int>(state.range(0));
  auto board = BoardWith(inner + 2, inner + 2, {});
  std::mt19937 random(7);
  std::vector<std::uint8_t> kinds;
  for (int i = 0; i < (inner * inner - 4) / 2; ++i) kinds.insert(kinds.end(), 2, static_cast<std::uint8_t>(3 + i % 6));
  std::shuffle(kinds.begin(), kinds.end(), random);
  const int c = inner / 2;
  std::size_t next = 0;
  for (int y = 1; y <= inner; ++y) {
    for (int x = 1; x <= inner; ++x) {
      const bool lock = (x == c || x == c + 1) && (y == c || y == c + 1);
      PlaceTile(*board, x, y, lock ? static_cast<std::uint8_t>(1 + ((x + y) & 1)) : kinds[next++]);
    }
  }
  SolveVerdict verdict = SolveVerdict::Unknown;
  for (auto _ : state) {
    std::vector<kavelo::logic::CellPair> moves;
    verdict = kavelo::logic::SolveGrid({board->Tiles(), board->Width(), board->Height()}, kavelo::logic::Gravity::None, {60000, NowMs}, moves);
  }
  if (verdict != SolveVerdict::Unsolvable) state.SkipWithError("the locked board was not proved unsolvable");
}
BENCHMARK(BM_ProveUnsolvable)->Arg(4)->Arg(6)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// A full 255 x 255 clearable board with a 100 ms budget: the search must stop on time.
void BM_SolveLargeBoardWithinBudget(benchmark::State& state) {
  CKaveloInternal board;
  DealBoard(board, 0, true, 255);
  SolveVerdict verdict = SolveVerdict::Unknown;
  double ms = 0;
  for (auto _ : state) verdict = SolveTimed(board, 100, ms);
  state.SetLabel(verdict == SolveVerdict::Solved ? "solved" : verdict == SolveVerdict::Unknown ? "unknown" : "unsolvable");
  state.counters["elapsed_ms"] = ms;
  if (ms > 150) state.SkipWithError("the search overran its budget");
}
BENCHMARK(BM_SolveLargeBoardWithinBudget)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
