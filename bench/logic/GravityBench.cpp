// The gravity variants: clearable dealing on the default board and on 255 x 255, the
// solver proving default-sized deals clearable, and the hint search on boards that play
// has left, each beside the variant without falls as the baseline.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdint>
#include <vector>

#include "logic/KaveloInternal.h"

namespace {

using kavelo::logic::Gravity;

constexpr int kSolvedDeals = 100;
constexpr double kSolveGoalMs = 50;
constexpr std::uint32_t kSolveBudgetMs = 2000;

const char* VariantName(Gravity gravity) {
  constexpr const char* kNames[] = {"none", "down", "up", "left", "right"};
  return kNames[static_cast<int>(gravity)];
}

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// A clearable deal of numbered deal `number`: the default game, or a full 255 x 255 board of
// 252 kinds x 254 (every count even).
void Deal(CKaveloInternal& board, Gravity gravity, std::uint64_t number, bool large) {
  if (large) {
    board.InitBoard(255, 255, 252, 254);
  } else {
    board.InitBoard(18, 12, 36, 4);
  }
  board.SetGravity(gravity);
  board.SetSolvableShuffles(true);
  board.DealByNumber(number);
  board.Shuffle(ShuffleSpread);
}

// Arguments: the variant, and 1 for 255 x 255. The time of the set-up's plain dealing is in
// it too; the variant none is the baseline.
void BM_ClearableDeal(benchmark::State& state) {
  const auto gravity = static_cast<Gravity>(state.range(0));
  const bool large = state.range(1) != 0;
  std::uint64_t number = 0;
  for (auto _ : state) {
    CKaveloInternal board;
    Deal(board, gravity, ++number, large);
    benchmark::DoNotOptimize(board.Tiles());
  }
  state.SetLabel(VariantName(gravity));
}
BENCHMARK(BM_ClearableDeal)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClearableDeal)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {1}})
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

// The solver on 100 default-sized clearable deals of the variant: how many it proves
// clearable within 50 ms, and the slowest.
void BM_SolveClearableDeals(benchmark::State& state) {
  const auto gravity = static_cast<Gravity>(state.range(0));
  int inTime = 0;
  std::vector<double> times;
  for (auto _ : state) {
    inTime = 0;
    times.clear();
    for (int i = 1; i <= kSolvedDeals; ++i) {
      CKaveloInternal board;
      Deal(board, gravity, static_cast<std::uint64_t>(i), false);
      std::vector<kavelo::logic::CellPair> moves;
      const auto start = std::chrono::steady_clock::now();
      const SolveVerdict verdict = board.Solve(moves, kSolveBudgetMs);
      const double ms = MillisecondsSince(start);
      times.push_back(ms);
      if (verdict == SolveVerdict::Solved && ms <= kSolveGoalMs) ++inTime;
    }
  }
  std::sort(times.begin(), times.end());
  state.SetLabel(VariantName(gravity));
  state.counters["solved_within_50ms"] = inTime;
  state.counters["median_ms"] = times[times.size() / 2];
  state.counters["p99_ms"] = times[times.size() * 99 / 100];
  state.counters["max_ms"] = times.back();
  std::fprintf(stderr, "%s: %d within 50 ms, median %.2f, p99 %.2f, max %.2f\n", VariantName(gravity), inTime, times[times.size() / 2], times[times.size() * 99 / 100], times.back());
  if (inTime < 99) state.SkipWithError("fewer than 99 of 100 deals proved clearable within 50 ms");
}
BENCHMARK(BM_SolveClearableDeals)->DenseRange(0, 4)->Iterations(1)->Unit(benchmark::kMillisecond);

// The hint on a default board half cleared by the solver's moves. Falls change which
// board play leaves, never how a board is searched.
void BM_HintMidGame(benchmark::State& state) {
  const auto gravity = static_cast<Gravity>(state.range(0));
  CKaveloInternal board;
  Deal(board, gravity, 4242, false);
  std::vector<kavelo::logic::CellPair> moves;
  if (board.Solve(moves, kSolveBudgetMs) != SolveVerdict::Solved) {
    state.SkipWithError("the deal was not solved");
    return;
  }
  for (std::size_t i = 0; i < moves.size() / 2; ++i) {
    const int w = board.Width();
    int result = 0;
    board.ClickCell(moves[i].a % w, moves[i].a / w, result);
    board.ClickCell(moves[i].b % w, moves[i].b / w, result);
  }
  kavelo::logic::CellPair hint;
  for (auto _ : state) benchmark::DoNotOptimize(board.FindHint(hint));
  state.SetLabel(VariantName(gravity));
}
BENCHMARK(BM_HintMidGame)->DenseRange(0, 4)->Unit(benchmark::kNanosecond);

}  // namespace
