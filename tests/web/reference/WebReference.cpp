// The browser tests' fixtures: PngSuite pictures as PNG, BMP, JPEG and GIF tiles with the
// frame the plug-in composes here from each (raw rows of blue, green, red, alpha; written
// only when the set-up is taken), broken files, and forty header-only 8192 x 8192 PNGs.
#include <PlgKavelo/Kavelo.h>
#include <SDL_image.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/TestFiles.h"

namespace fs = std::filesystem;
using namespace kavelo::test;

namespace {

Bytes Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

TestPicture Decoded(const fs::path& file) {
  SDL_Surface* loaded = IMG_Load(file.string().c_str());
  SDL_Surface* rgba = loaded ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0) : nullptr;
  TestPicture picture{rgba ? rgba->w : 0, rgba ? rgba->h : 0, {}};
  picture.pixels.resize(static_cast<std::size_t>(picture.width * picture.height));
  if (rgba) std::memcpy(picture.pixels.data(), rgba->pixels, picture.pixels.size() * 4);  // rows without padding
  SDL_FreeSurface(rgba);
  SDL_FreeSurface(loaded);
  return picture;
}

// A GIF holds at most 255 colours: each channel to six levels, alpha to all or nothing.
TestPicture FewColours(TestPicture picture) {
  const auto level = [](int v) { return static_cast<std::uint8_t>((v + 25) / 51 * 51); };
  for (Rgba& c : picture.pixels) c = {level(c.r), level(c.g), level(c.b), level(c.a < 128 ? 0 : 255)};
  return picture;
}

// One tick's frame after the browser test's set-up: two tiles of `stem`1`suffix`, 4 x 3 cells.
void WriteFrame(const std::string& stem, const std::string& suffix) {
  std::vector<std::uint8_t> frame(128 * 96 * 4);
  KaveloGame* game = KaveloCreate(nullptr);
  KaveloAllocGdiData(game, reinterpret_cast<char*>(frame.data()), 128, 96, 32);
  const std::string setUp = "param," + std::to_string(KAVELO_PARAM_SET_UP) + ";w,4;h,3;c,1;r,2;screenWidth,128;" +
      "screenHeight,96;screenBits,32;zeroX,0;zeroY,0;iconPath," + stem + ";iconType," + suffix + ";animationFrames,0;";
  const bool drawn = KaveloSetGameParamUtf8(game, setUp.c_str()) == 0 && KaveloInputEventUtf8(game, "type,0;") == 0;
  if (drawn) WriteFile(stem + ".frame", frame);
  KaveloDestroy(game);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const fs::path suite = argv[1], out = argv[2];
  bool written = fs::create_directories(out) || fs::is_directory(out);
  for (const std::string name : {"basn2c08", "basn6a08", "basn3p08", "basn0g08", "xs1n0g01", "xdtn0g01", "xcsn0g01"}) {
    const TestPicture picture = Decoded(suite / "png" / (name + ".png"));
    std::vector<std::pair<const char*, Bytes>> files = {{".png", Read(suite / "png" / (name + ".png"))}};
    if (!picture.pixels.empty()) {  // of a broken file, only the PNG itself
      files.insert(files.end(), {{".bmp", Read(suite / "bmp" / (name + ".bmp"))},
          {".jpg", Encode(picture, Format::kJpeg)}, {".gif", Encode(FewColours(picture), Format::kGif)}});
    }
    for (const auto& [suffix, bytes] : files) {
      const std::string stem = (out / name).string() + "-" + (suffix + 1);
      written &= !bytes.empty() && WriteFile(stem + "1" + suffix, bytes);
      WriteFrame(stem, suffix);
    }
  }
  Bytes big = Patched(Patched(Encode(Solid(1, 1, {}), Format::kPng), 16, 8192, 4, true), 20, 8192, 4, true);
  big.resize(33);  // the signature and the header, no data
  for (int n = 1; n <= 40; ++n) written &= WriteFile(out.string() + "/big" + std::to_string(n) + ".png", big);
  return written ? 0 : 1;
}
