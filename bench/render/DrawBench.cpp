// A tick's frame at 1920 x 1080, 32 x 32 pictures on a full 60 x 33 board with a trail, the
// selection mark and the time bar, composed and delivered; beside it the floor that any
// renderer pays for the same frame: clearing its bytes and copying them to the host.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "logic/KaveloInternal.h"
#include "render/KaveloFigure.h"
#include "tests/logic/BoardBuilder.h"

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr int kCell = 32;
constexpr int kColumns = 60;
constexpr int kRows = 33;
constexpr int kKinds = 36;
constexpr int kTrailFrames = 10;
constexpr std::size_t kFrameBytes = static_cast<std::size_t>(kScreenWidth) * kScreenHeight * 4;

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

struct Scene {
  CKaveloInternal board;
  KaveloFigure figure{&board};
  std::vector<char> host = std::vector<char>(kFrameBytes);

  Scene() {
    figure.SetScreen(kScreenWidth, kScreenHeight, 0, kScreenHeight - kRows * kCell, 32);
    for (int kind = 1; kind <= kKinds; ++kind) figure.m_iconPixels.push_back(Picture(kCell, kCell, kind));
    for (int n = 1; n <= kTrailFrames; ++n) figure.m_animationPixels.push_back(Picture(kCell, kCell, 100 + n));
    figure.m_animationFrames = kTrailFrames;
    figure.m_choosePixels = Picture(kCell, kCell, 200);
    figure.m_pictureWidth = kCell;
    figure.m_pictureHeight = kCell;
    figure.m_timeBarPixels = Picture(1200, 16, 50);
    figure.m_timeBarWidth = 1200;
    figure.m_timeBarHeight = 16;
    figure.m_timeBarX = 360;
    figure.m_timeBarY = 4;

    // Every cell holds a tile, border ring included.
    board.InitBoard(kColumns, kRows, 255, 0);
    for (int cell = 0; cell < kColumns * kRows; ++cell) PlaceTile(board, cell % kColumns, cell / kColumns, 1 + cell % kKinds);
    // A three-segment trail across the board.
    std::int8_t* trail = BoardTestAccess::Trail(board);
    for (int x = 3; x < 50; ++x) trail[5 * kColumns + x] = 6;
    for (int y = 5; y < 30; ++y) trail[y * kColumns + 50] = 6;
    for (int x = 20; x <= 50; ++x) trail[30 * kColumns + x] = 6;
    BoardTestAccess::Select(board, 17, 12);
    board.SetTimeLimit(60);
    BoardTestAccess::SetElapsed(board, 15);
  }
};

void BM_DrawAndDeliver(benchmark::State& state) {
  Scene scene;
  if (!scene.figure.m_ready) {
    state.SkipWithError("SetScreen failed");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(scene.figure.Draw(scene.host.data()));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kFrameBytes);
}
BENCHMARK(BM_DrawAndDeliver)->Unit(benchmark::kMicrosecond);

void BM_ClearAndCopyBaseline(benchmark::State& state) {
  std::vector<char> frame(kFrameBytes, 1);
  std::vector<char> host(kFrameBytes);
  for (auto _ : state) {
    std::memset(frame.data(), 0, kFrameBytes);
    benchmark::ClobberMemory();
    std::memcpy(host.data(), frame.data(), kFrameBytes);
    benchmark::DoNotOptimize(host.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kFrameBytes);
}
BENCHMARK(BM_ClearAndCopyBaseline)->Unit(benchmark::kMicrosecond);

}  // namespace
