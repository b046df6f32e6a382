// The peak memory of loading one picture of 8192 x 8192 (256 MiB as 32-bit pixels), and
// its time: LoadImageBits, against SDL_image's own decode and conversion to 32 bits of
// the same file, the two copies any loader over SDL_image starts from. The process's
// peak resident set is reset before each load (Linux: /proc/self/clear_refs).

#include <benchmark/benchmark.h>

#include <SDL.h>
#include <SDL_image.h>

#include <fstream>

#include "image/LoadImageBits.h"
#include "tests/support/PeakMemory.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/SolidPng.h"

namespace {

constexpr int kSide = 8192;
constexpr double kMiB = 1024.0 * 1024.0;

const std::string& PictureFile() {
  static const kavelo::test::ScratchFolder folder("kavelo-peak-bench");
  static const std::string path = [] {
    const std::string file = folder.Path("big.png");
    kavelo::test::WriteFile(file, kavelo::test::SolidPng(kSide, kSide, {40, 120, 200, 255}));
    return file;
  }();
  return path;
}

void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

void Report(benchmark::State& state, double peak) {
  state.counters["peak_MiB"] = peak / kMiB;
  state.counters["peak_per_picture"] = peak / (double(kSide) * kSide * 4);
}

void LoadImageBitsPeak(benchmark::State& state) {
  const std::wstring path(PictureFile().begin(), PictureFile().end());
  COlePicture picture;
  double peak = 0;
  for (auto _ : state) {
    ResetPeak();
    kavelo::image::PixelBuffer pixels;
    int width = 0, height = 0, bits = 0;
    if (LoadImageBits(picture, path, pixels, width, height, bits) != 0) return state.SkipWithError("no load");
    peak = std::max(peak, double(kavelo::test::PeakResidentBytes()));
  }
  Report(state, peak);
}

void SdlImageAlonePeak(benchmark::State& state) {
  double peak = 0;
  for (auto _ : state) {
    ResetPeak();
    SDL_Surface* decoded = IMG_Load(PictureFile().c_str());
    SDL_Surface* converted = decoded ? SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_BGRA32, 0) : nullptr;
    peak = std::max(peak, double(kavelo::test::PeakResidentBytes()));
    SDL_FreeSurface(converted);
    SDL_FreeSurface(decoded);
    if (converted == nullptr) return state.SkipWithError("no decode");
  }
  Report(state, peak);
}

}  // namespace

BENCHMARK(LoadImageBitsPeak)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(SdlImageAlonePeak)->Unit(benchmark::kMillisecond)->Iterations(3);
