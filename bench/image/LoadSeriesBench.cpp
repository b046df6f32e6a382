// Loading a series of 255 pictures of 64 x 64, one LoadImageBits per file with one reused
// picture object, as the renderer loads tile pictures and trail frames. The baseline is
// SDL_image alone on the same files (decode and conversion to 32 bits), so the loader's
// own share (reading, header checks, compositing, turning rows bottom-up) shows.

#include <benchmark/benchmark.h>

#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "image/LoadImageBits.h"

namespace {

constexpr int kSeriesLength = 255;
constexpr int kSide = 64;

// The series, written once per run into a folder of its own and removed at exit.
class Series {
 public:
  Series() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kavelo-image-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    m_root = pattern;
    for (int n = 1; n <= kSeriesLength; ++n) {
      SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, kSide, kSide, 32, SDL_PIXELFORMAT_RGBA32);
      if (surface == nullptr) continue;
      auto* pixels = static_cast<std::uint8_t*>(surface->pixels);
      for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
          std::uint8_t* p = pixels + y * surface->pitch + 4 * x;
          // A different picture per member, with edges and soft parts as tile art has.
          p[0] = static_cast<std::uint8_t>(x * 4 + n);
          p[1] = static_cast<std::uint8_t>(y * 4 ^ n);
          p[2] = static_cast<std::uint8_t>(((x / 8 + y / 8 + n) % 2) * 200);
          p[3] = (x < 2 || y < 2) ? 0 : 255;
        }
      }
      const std::string stem = (m_root / ("tile" + std::to_string(n))).string();
      IMG_SavePNG(surface, (stem + ".png").c_str());
      SDL_SaveBMP(surface, (stem + ".bmp").c_str());
      SDL_FreeSurface(surface);
      m_png.push_back(stem + ".png");
      m_bmp.push_back(stem + ".bmp");
    }
  }
  ~Series() {
    std::error_code ignored;
    if (!m_root.empty()) std::filesystem::remove_all(m_root, ignored);
  }
  const std::vector<std::filesystem::path>& Files(bool png) const { return png ? m_png : m_bmp; }

 private:
  std::filesystem::path m_root;
  std::vector<std::filesystem::path> m_png, m_bmp;
};

const Series& TheSeries() {
  static const Series series;
  return series;
}

void LoadImageBitsSeries(benchmark::State& state) {
  const bool png = state.range(0) == 1;
  std::vector<std::wstring> paths;
  for (const auto& file : TheSeries().Files(png)) paths.push_back(file.wstring());
  COlePicture picture;  // one object for the whole series
  for (auto _ : state) {
    for (const std::wstring& path : paths) {
      kavelo::image::PixelBuffer pixels;
      int width = 0, height = 0, bits = 0;
      if (LoadImageBits(picture, path, pixels, width, height, bits) != 0) {
        state.SkipWithError("a picture of the series did not load");
        return;
      }
      benchmark::DoNotOptimize(pixels.get());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(paths.size()));
  state.SetLabel(png ? "png" : "bmp");
}

void SdlImageAloneSeries(benchmark::State& state) {
  const bool png = state.range(0) == 1;
  const auto& files = TheSeries().Files(png);
  for (auto _ : state) {
    for (const auto& file : files) {
      SDL_Surface* decoded = IMG_Load(file.c_str());
      SDL_Surface* converted = decoded ? SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_BGRA32, 0) : nullptr;
      if (converted == nullptr) {
        SDL_FreeSurface(decoded);
        state.SkipWithError("a picture of the series did not decode");
        return;
      }
      benchmark::DoNotOptimize(converted->pixels);
      SDL_FreeSurface(converted);
      SDL_FreeSurface(decoded);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(files.size()));
  state.SetLabel(png ? "png" : "bmp");
}

}  // namespace

BENCHMARK(LoadImageBitsSeries)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(SdlImageAloneSeries)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
