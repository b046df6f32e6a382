// Dealing by number against dealing by the clock: the set-up's clearable deal (a
// spreading shuffle with clearable kinds) of the default board and of a full 255 x 255
// board, each deal on a fresh board as a set-up makes it.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "logic/KaveloInternal.h"

namespace {

struct Shape {
  int width, height, kinds, copies;
};
constexpr Shape kShapes[] = {{18, 12, 36, 4}, {255, 255, 254, 252}};  // 64008 tiles: every kind even

// range(0): the shape; range(1): 1 deals by number, 0 by the clock.
void BM_ClearableDeal(benchmark::State& state) {
  const Shape& shape = kShapes[state.range(0)];
  const bool numbered = state.range(1) == 1;
  state.SetLabel(std::string(state.range(0) == 0 ? "default" : "255x255") + (numbered ? " by number" : " by clock"));
  std::uint64_t number = 48213;
  for (auto _ : state) {
    CKaveloInternal board;
    // Clocks that move on between deals, as real set-ups see them: a tight loop on the
    // system clock would deal one board over and over.
    const auto moment = static_cast<std::uint32_t>(number);
    board.SetClocks({[moment] { return moment * 7919u; }, [moment] { return moment; }});
    board.InitBoard(shape.width, shape.height, shape.kinds, shape.copies);
    board.SetSolvableShuffles(true);
    if (numbered) board.DealByNumber(number);
    ++number;
    board.Shuffle(ShuffleSpread);
    benchmark::DoNotOptimize(board.Tiles()[shape.width + 1]);
  }
}
BENCHMARK(BM_ClearableDeal)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
