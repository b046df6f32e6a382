// Shuffling and clicking on a 255 x 255 board.

#include <benchmark/benchmark.h>

#include <memory>

#include "logic/KaveloInternal.h"
#include "tests/logic/BoardBuilder.h"

namespace {

constexpr int kSide = 255;

void BM_ShuffleSpread(benchmark::State& state) {
  CKaveloInternal board;
  board.InitBoard(kSide, kSide, 255, 255);
  for (auto _ : state) {
    board.Shuffle(ShuffleSpread);
    benchmark::DoNotOptimize(board.Tiles()[kSide + 1]);
  }
}
BENCHMARK(BM_ShuffleSpread)->Unit(benchmark::kMicrosecond);

// Select a tile, then link it with its neighbour; both are put back for the next round.
// With range 1 the only other tile lies in the last cell, so the cleared-board test reads
// the whole grid.
void BM_ClickPair(benchmark::State& state) {
  std::unique_ptr<CKaveloInternal> board;
  if (state.range(0) == 0) {
    board = std::make_unique<CKaveloInternal>();
    board->InitBoard(kSide, kSide, 255, 255);
    board->Shuffle(ShuffleSpread);
  } else {
    board = BoardWith(kSide, kSide, {{kSide - 1, kSide - 1, 9}});
  }
  state.SetLabel(state.range(0) == 0 ? "full" : "one_tile_in_last_cell");
  int result = 0;
  for (auto _ : state) {
    PlaceTile(*board, 100, 100, 200);
    PlaceTile(*board, 101, 100, 200);
    board->ClickCell(100, 100, result);
    board->ClickCell(101, 100, result);
    benchmark::DoNotOptimize(result);
  }
  if (result != Connect) state.SkipWithError("the pair was not linked");
}
BENCHMARK(BM_ClickPair)->Arg(0)->Arg(1);

// A click on a tile of another kind than the selected one.
void BM_ClickWrong(benchmark::State& state) {
  CKaveloInternal board;
  board.InitBoard(kSide, kSide, 255, 255);
  board.Shuffle(ShuffleSpread);
  PlaceTile(board, 50, 50, 1);
  PlaceTile(board, 200, 200, 2);
  int result = 0;
  for (auto _ : state) {
    board.ClickCell(50, 50, result);
    board.ClickCell(200, 200, result);
    benchmark::DoNotOptimize(result);
  }
  if (result != Wrong) state.SkipWithError("the click was not wrong");
}
BENCHMARK(BM_ClickWrong);

}  // namespace
