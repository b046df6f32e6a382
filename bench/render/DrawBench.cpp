// Ticks of a game's frame, composed and delivered, at 1920 x 1080 and 3840 x 2160: 32 x 32
// pictures on a board that fills the screen, every cell holding a tile, with the
// selection mark and the time bar. Each tick is read as a ratio to CopyFrame of the same
// size in the same run, the one copy that delivering a frame into the host's buffer costs:
//   a tick with nothing changed, the ticks of one fresh trail counting down, a tick right
//   after a shuffle (every cell changed).
// PlayHundredTicks plays one short game (clicks, a miss, a shuffle, undo and redo, the
// clock) for instruction counts, e.g. under callgrind with
//   --toggle-collect='*PlayHundredTicksOn*' --benchmark_filter=PlayHundredTicks

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "logic/KaveloInternal.h"
#include "render/KaveloFigure.h"
#include "tests/logic/BoardBuilder.h"

namespace {

constexpr int kCell = 32;
constexpr int kKinds = 36;
constexpr int kTrailFrames = 10;
constexpr int kBarHeight = 16;

KaveloPicture Picture(int width, int height, std::uint8_t shade) {
  KaveloPicture picture;
  picture.width = width;
  picture.height = height;
  const std::size_t bytes = static_cast<std::size_t>(width) * height * 4;
  picture.pixels = std::make_unique<std::uint8_t[]>(bytes);
  for (std::size_t i = 0; i < bytes; ++i) picture.pixels[i] = static_cast<std::uint8_t>(shade + i % 7);
  for (std::size_t i = 0; i < bytes; i += 12) std::memset(&picture.pixels[i], 0, 3);  // some pure black
  return picture;
}

std::size_t FrameBytes(const benchmark::State& state) {
  return static_cast<std::size_t>(state.range(0)) * static_cast<std::size_t>(state.range(1)) * 4;
}

// The board fills the screen below the time bar's strip, every cell with a tile.
struct Scene {
  const int columns, rows;
  CKaveloInternal board;
  KaveloFigure figure{&board};
  std::vector<char> host;

  Scene(int width, int height)
      : columns(width / kCell), rows((height - 2 * kBarHeight) / kCell),
        host(static_cast<std::size_t>(width) * height * 4) {
    figure.SetScreen(width, height, 0, height - rows * kCell, 32);
    for (int kind = 1; kind <= kKinds; ++kind) figure.m_iconPixels.push_back(Picture(kCell, kCell, kind));
    for (int n = 1; n <= kTrailFrames; ++n) figure.m_animationPixels.push_back(Picture(kCell, kCell, 100 + n));
    figure.m_animationFrames = kTrailFrames;
    figure.m_choosePixels = Picture(kCell, kCell, 200);
    figure.m_pictureWidth = kCell;
    figure.m_pictureHeight = kCell;
    const int barWidth = width * 5 / 8;
    figure.m_timeBarPixels = Picture(barWidth, kBarHeight, 50);
    figure.m_timeBarWidth = barWidth;
    figure.m_timeBarHeight = kBarHeight;
    figure.m_timeBarX = (width - barWidth) / 2;
    figure.m_timeBarY = 4;
    board.SetTrailFrames(kTrailFrames);
    board.SetTimeLimit(60);
    board.SetClocks({[] { return 1234u; }, [] { return 5678u; }});
  }

  bool FullBoard() {
    if (!board.InitBoard(columns, rows, 255, 0)) return false;
    for (int cell = 0; cell < columns * rows; ++cell) PlaceTile(board, cell % columns, cell / columns, 1 + cell % kKinds);
    BoardTestAccess::Select(board, columns / 3, rows / 3);
    BoardTestAccess::SetElapsed(board, 15);
    return figure.m_ready;
  }

  void Tick() {
    benchmark::DoNotOptimize(figure.Draw(host.data()));
    board.AdvanceTrail();
    benchmark::ClobberMemory();
  }
};

void CopyFrame(benchmark::State& state) {
  std::vector<char> frame(FrameBytes(state), 1);
  std::vector<char> host(FrameBytes(state));
  for (auto _ : state) {
    std::memcpy(host.data(), frame.data(), frame.size());
    benchmark::DoNotOptimize(host.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * FrameBytes(state));
}

void TickWithNothingChanged(benchmark::State& state) {
  Scene scene(state.range(0), state.range(1));
  if (!scene.FullBoard()) return state.SkipWithError("no scene");
  scene.Tick();
  for (auto _ : state) scene.Tick();
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * FrameBytes(state));
}

// A pair joined by a path of three segments across the board is removed, and its trail
// counts down over the next ticks; then the next pair goes the same way.
void TickOfAFreshTrailCountingDown(benchmark::State& state) {
  Scene scene(state.range(0), state.range(1));
  if (!scene.FullBoard()) return state.SkipWithError("no scene");
  const int w = scene.columns, right = w * 5 / 6, bottom = scene.rows * 9 / 10;
  std::vector<int> path;
  for (int x = 3; x < right; ++x) path.push_back(5 * w + x);
  for (int y = 5; y < bottom; ++y) path.push_back(y * w + right);
  for (int x = right; x >= w / 3; --x) path.push_back(bottom * w + x);
  std::uint8_t* tiles = BoardTestAccess::Tiles(scene.board);
  std::int8_t* trail = BoardTestAccess::Trail(scene.board);
  for (int cell : path) tiles[cell] = 0;
  scene.Tick();
  int step = 0;
  for (auto _ : state) {
    if (step++ % (kTrailFrames + 1) == 0) {
      for (int cell : path) trail[cell] = kTrailFrames;
    }
    scene.Tick();
  }
  state.counters["trail_cells"] = static_cast<double>(path.size());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * FrameBytes(state));
}

// Two arrangements of the same tiles take turns, so that every tick follows a shuffle.
void TickRightAfterAShuffle(benchmark::State& state) {
  Scene scene(state.range(0), state.range(1));
  if (!scene.FullBoard()) return state.SkipWithError("no scene");
  const std::size_t cells = static_cast<std::size_t>(scene.columns) * scene.rows;
  std::uint8_t* tiles = BoardTestAccess::Tiles(scene.board);
  const std::vector<std::uint8_t> before(tiles, tiles + cells);
  scene.board.Shuffle(ShuffleMix);
  const std::vector<std::uint8_t> after(tiles, tiles + cells);
  scene.Tick();
  bool flip = false;
  for (auto _ : state) {
    std::memcpy(tiles, (flip = !flip) ? before.data() : after.data(), cells);
    scene.Tick();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * FrameBytes(state));
}

// The ticks alone, kept out of line so that an instruction count can single them out.
[[gnu::noinline]] void PlayHundredTicksOn(Scene& scene) {
  int result = 0;
  bool found = false;
  kavelo::logic::CellPair pair;
  const int w = scene.columns;
  for (int tick = 0; tick < 100; ++tick) {
    switch (tick % 10) {
      case 2:  // a click on one tile of a pair, then on the other
        found = scene.board.FindHint(pair);
        if (found) scene.board.ClickCell(pair.a % w, pair.a / w, result);
        break;
      case 3:
        if (found) scene.board.ClickCell(pair.b % w, pair.b / w, result);
        break;
      case 6:  // a miss on the empty border
        scene.board.ClickCell(0, 0, result);
        break;
      case 9:
        scene.board.AddSeconds(1);
        break;
    }
    if (tick == 50) scene.board.Shuffle(ShuffleCompact);
    if (tick == 75) scene.board.Undo();
    if (tick == 78) scene.board.Redo();
    scene.Tick();
  }
  benchmark::DoNotOptimize(result);
}

void PlayHundredTicks(benchmark::State& state) {
  for (auto _ : state) {
    Scene scene(state.range(0), state.range(1));
    // Every interior cell dealt, then spread over the interior.
    const int copies = ((scene.columns - 2) * (scene.rows - 2) + kKinds - 1) / kKinds;
    if (!scene.board.InitBoard(scene.columns, scene.rows, kKinds, copies)) return state.SkipWithError("no board");
    scene.board.Shuffle(ShuffleSpread);
    PlayHundredTicksOn(scene);
    state.counters["pairs_removed"] = scene.board.PairsRemoved();
    state.counters["tiles_left"] = scene.board.TilesLeft();
  }
}

void Screens(benchmark::internal::Benchmark* b) {
  b->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(CopyFrame)->Apply(Screens);
BENCHMARK(TickWithNothingChanged)->Apply(Screens);
BENCHMARK(TickOfAFreshTrailCountingDown)->Apply(Screens);
BENCHMARK(TickRightAfterAShuffle)->Apply(Screens);
BENCHMARK(PlayHundredTicks)->Args({1920, 1080})->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
