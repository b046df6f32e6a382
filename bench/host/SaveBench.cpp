// Saving and loading through the plug-in object: the default game (18 x 12 with its border,
// 36 kinds dealt 4 times) and a full 255 x 255 board (252 kinds dealt 255 times), each with
// some pairs linked, so that the load replays a history. The baseline copies the saved
// bytes; the "bytes" counter is the save's size.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/host/GameHost.h"

using kavelo::test::ArtFolder;
using kavelo::test::ClickText;
using kavelo::test::GameHost;
using kavelo::test::ShuffleText;
using kavelo::test::SteppedClock;

namespace {

struct Game {
  int w, h, kinds, copies, cell, linked;
};
constexpr Game kGames[] = {{18, 12, 36, 4, 8, 20}, {255, 255, 252, 255, 1, 0}, {255, 255, 252, 255, 1, 1000}};

// A game set up, spread and played for the pairs asked, kept for every run of its case.
struct SavedGame {
  explicit SavedGame(const Game& game)
      : art(game.kinds, 10, game.cell), frame(std::size_t(game.w) * game.h * game.cell * game.cell * 4) {
    host.AllocGdiData(frame.data(), 0, 0, 0);
    host.SetGameParam(art.SetUp(game.w, game.h, game.kinds, game.copies, game.w * game.cell, game.h * game.cell, 10));
    host.InputEvent(ShuffleText(KAVELO_SHUFFLE_SPREAD));
    KaveloMove m{};
    for (int i = 0; i < game.linked && host.FindHint(m); ++i) {
      host.InputEvent(ClickText(m.x1, m.y1));
      host.InputEvent(ClickText(m.x2, m.y2));
    }
    host.SaveGame(bytes);
  }
  SteppedClock clock;
  ArtFolder art;
  std::vector<char> frame;
  GameHost host;
  std::vector<unsigned char> bytes;
};

SavedGame& Saved(int which) {
  static std::unique_ptr<SavedGame> games[std::size(kGames)];
  if (!games[which]) games[which] = std::make_unique<SavedGame>(kGames[which]);
  return *games[which];
}

void Label(benchmark::State& state, const SavedGame& game) {
  const Game& g = kGames[state.range(0)];
  state.SetLabel(std::to_string(g.w) + "x" + std::to_string(g.h) + " linked " + std::to_string(g.linked));
  state.counters["bytes"] = static_cast<double>(game.bytes.size());
}

void BM_SaveGame(benchmark::State& state) {
  SavedGame& game = Saved(static_cast<int>(state.range(0)));
  std::vector<unsigned char> bytes;
  for (auto _ : state) {
    game.host.SaveGame(bytes);
    benchmark::DoNotOptimize(bytes.data());
  }
  Label(state, game);
}
BENCHMARK(BM_SaveGame)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_LoadGame(benchmark::State& state) {
  SavedGame& game = Saved(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    if (game.host.LoadGame(game.bytes.data(), game.bytes.size()) != 0) state.SkipWithError("the save was refused");
  }
  Label(state, game);
}
BENCHMARK(BM_LoadGame)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_CopySavedBytes(benchmark::State& state) {
  SavedGame& game = Saved(static_cast<int>(state.range(0)));
  std::vector<unsigned char> copy(game.bytes.size());
  for (auto _ : state) {
    std::memcpy(copy.data(), game.bytes.data(), copy.size());
    benchmark::DoNotOptimize(copy.data());
  }
  Label(state, game);
}
BENCHMARK(BM_CopySavedBytes)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace
