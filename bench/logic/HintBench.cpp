// The hint search on 255 x 255 boards: a shuffled full board, one full board arranged so
// that no pair links (every part of the search runs to its end), a sparse board with a
// pair far apart and a sparse board without pairs. Each answer is due within 5 ms.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "logic/KaveloInternal.h"
#include "tests/logic/BoardBuilder.h"

namespace {

constexpr int kSide = 255;

struct HintScene {
  std::string name;
  std::unique_ptr<CKaveloInternal> board;
  bool expected;
};

std::vector<HintScene> MakeHintScenes() {
  std::vector<HintScene> scenes;
  {
    auto board = std::make_unique<CKaveloInternal>();
    board->SetClocks({[] { return 777u; }, [] { return 1700000000u; }});
    board->InitBoard(kSide, kSide, 255, 255);
    board->Shuffle(ShuffleSpread);
    scenes.push_back({"full_shuffled", std::move(board), true});
  }
  {
    // Kind 1 + (x + 16 y) mod 255: touching tiles differ by 1 or 16, and the tiles along
    // each side of the ring are all of different kinds, since 16 and 255 share no factor.
    auto board = BoardWith(kSide, kSide, {});
    for (int y = 1; y < kSide - 1; ++y) {
      for (int x = 1; x < kSide - 1; ++x) PlaceTile(*board, x, y, static_cast<std::uint8_t>(1 + (x + 16 * y) % 255));
    }
    scenes.push_back({"full_no_pair", std::move(board), false});
  }
  {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> coordinate(1, kSide - 2);
    auto board = BoardWith(kSide, kSide, {});
    for (int kind = 2; kind <= 255; ++kind) PlaceTile(*board, coordinate(random), coordinate(random), kind);
    scenes.push_back({"sparse_no_pair", std::move(board), false});
  }
  {
    auto board = BoardWith(kSide, kSide, {});
    std::mt19937 random(6);
    std::uniform_int_distribution<int> coordinate(1, kSide - 2);
    for (int kind = 2; kind <= 255; ++kind) PlaceTile(*board, coordinate(random), coordinate(random), kind);
    PlaceTile(*board, 0, 0, 1);
    PlaceTile(*board, 254, 254, 1);
    scenes.push_back({"sparse_far_pair", std::move(board), true});
  }
  for (const HintScene& scene : scenes) {
    kavelo::logic::CellPair hint;
    if (scene.board->FindHint(hint) != scene.expected) {
      std::fprintf(stderr, "unexpected hint answer on %s\n", scene.name.c_str());
      std::abort();
    }
  }
  return scenes;
}

std::vector<HintScene>& HintScenes() {
  static std::vector<HintScene> scenes = MakeHintScenes();
  return scenes;
}

void BM_FindHint(benchmark::State& state) {
  HintScene& scene = HintScenes()[state.range(0)];
  state.SetLabel(scene.name);
  kavelo::logic::CellPair hint;
  for (auto _ : state) benchmark::DoNotOptimize(scene.board->FindHint(hint));
}

BENCHMARK(BM_FindHint)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

}  // namespace
