// Artwork that would take more memory than the renderer allows: forty tile pictures of
// 8192 x 8192, one small PNG named forty times. The series is refused from the sizes the
// files declare; the time measured is what the refusal costs the host's thread. Beside it,
// the one picture of that size that the budget admits, decoded.

#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "logic/KaveloInternal.h"
#include "render/KaveloFigure.h"

namespace {

constexpr int kSide = 8192;
constexpr int kPictures = 40;

// Removes the folder when the program ends.
struct Scratch {
  std::filesystem::path dir;
  ~Scratch() { std::filesystem::remove_all(dir); }
};

const std::filesystem::path& Folder() {
  static const Scratch folder{[] {
    const auto dir = std::filesystem::temp_directory_path() / ("kavelo-budget-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, kSide, kSide, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(surface, nullptr, SDL_MapRGBA(surface->format, 40, 90, 200, 255));
    IMG_SavePNG(surface, (dir / "huge1.png").c_str());
    SDL_FreeSurface(surface);
    for (int n = 2; n <= kPictures; ++n) {
      std::filesystem::create_symlink(dir / "huge1.png", dir / ("huge" + std::to_string(n) + ".png"));
    }
    return dir;
  }()};
  return folder.dir;
}

void RefuseFortyPicturesOverTheBudget(benchmark::State& state) {
  const std::string stem = (Folder() / "huge").string();
  for (auto _ : state) {
    CKaveloInternal board;
    KaveloFigure figure(&board);
    figure.SetScreen(64, 64, 0, 0, 32);
    if (figure.LoadIcons(kPictures, stem.c_str(), ".png")) state.SkipWithError("forty pictures were admitted");
  }
  state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(Folder() / "huge1.png"));
}
BENCHMARK(RefuseFortyPicturesOverTheBudget)->Unit(benchmark::kMillisecond);

void DecodeOnePictureOfTheLargestSize(benchmark::State& state) {
  const std::string stem = (Folder() / "huge").string();
  for (auto _ : state) {
    CKaveloInternal board;
    KaveloFigure figure(&board);
    figure.SetScreen(64, 64, 0, 0, 32);
    if (!figure.LoadIcons(1, stem.c_str(), ".png")) state.SkipWithError("one picture was refused");
  }
}
BENCHMARK(DecodeOnePictureOfTheLargestSize)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
