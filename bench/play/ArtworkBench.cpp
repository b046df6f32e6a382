// Drawing kavelo-play's pictures at start-up, for the cell size the screen needs: every
// tile, trail frame, the selection mark and the time bar of one set, at cells of 24, 48,
// 96 and 128 pixels (the goal: a whole set at 128 in under 100 ms). The baseline in the
// same run paints the same pixels of the same pictures a flat colour, the least any
// drawing of them costs.

#include <benchmark/benchmark.h>

#include "play/artwork/ArtworkPictures.h"
#include "play/artwork/OverlayArt.h"

namespace {

using namespace kavelo::artwork;

void BM_DrawArtworkSet(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  const ArtStyle style = state.range(1) ? ArtStyle::kContrast : ArtStyle::kStandard;
  for (auto _ : state) {
    ArtworkPictures pictures = DrawArtworkPictures(side, style);
    benchmark::DoNotOptimize(pictures.tiles.back().At(side / 2, side / 2));
  }
}
BENCHMARK(BM_DrawArtworkSet)->ArgsProduct({{24, 48, 96, 128}, {0, 1}})->Unit(benchmark::kMillisecond);

void BM_FlatPictures(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  const Shape everywhere = [](Vec2) { return -1e6f; };
  const Colour grey = FromBytes(128, 128, 128);
  for (auto _ : state) {
    std::vector<Raster> pictures;
    for (int n = 0; n < kTileCount + kTrailFrameCount + 1; ++n) pictures.emplace_back(side, side);
    pictures.emplace_back(kTimeBarWidth * side / kCellSide, kTimeBarHeight * side / kCellSide);
    for (Raster& picture : pictures) picture.Fill(everywhere, grey);
    benchmark::DoNotOptimize(pictures.back().At(0, 0));
  }
}
BENCHMARK(BM_FlatPictures)->Arg(24)->Arg(48)->Arg(96)->Arg(128)->Unit(benchmark::kMillisecond);

}  // namespace
