// The artwork generator, run once into a folder of its own: it writes exactly the files the
// game names, every picture loads through the game's own loader at its size, no two tiles
// look alike, and no two sounds sound alike.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "image/LoadImageBits.h"
#include "play/artwork/ArtworkSet.h"
#include "play/artwork/OverlayArt.h"
#include "play/artwork/PngWriter.h"
#include "play/artwork/StoredPng.h"
#include "play/artwork/TileArt.h"
#include "play/artwork/IconArt.h"

namespace {

constexpr int kCell = 48;
constexpr int kTiles = 42;  // the game names tile1.png .. tile42.png

int RunGenerator(const std::string& arguments) {
  const int status = std::system(("'" KAVELO_ARTWORK_PROGRAM "' " + arguments + " 2>/dev/null").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class Artwork : public ::testing::Test {
 protected:
  // Two levels below a fresh folder, so that the generator must create missing parents.
  static void SetUpTestSuite() { ASSERT_EQ(RunGenerator("'" + (root / "nested" / "art").string() + "'"), 0); }
  static void TearDownTestSuite() { std::filesystem::remove_all(root); }
  static std::filesystem::path Art(const std::string& name) { return root / "nested" / "art" / name; }
  static inline const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("kavelo-art-test-" + std::to_string(getpid()));
};

// Pixels as the game's loader gives them: bottom-up blue, green, red, alpha.
std::vector<std::uint8_t> Load(const std::filesystem::path& file, int width, int height) {
  COlePicture loader;
  kavelo::image::PixelBuffer bits;
  int w = 0, h = 0, depth = 0;
  EXPECT_EQ(LoadImageBits(loader, file.wstring(), bits, w, h, depth), 0) << file;
  EXPECT_EQ(std::tuple(w, h, depth), std::tuple(width, height, 32)) << file;
  return bits ? std::vector<std::uint8_t>(bits.get(), bits.get() + std::size_t(w) * h * 4) : std::vector<std::uint8_t>{};
}

}  // namespace

TEST_F(Artwork, EveryNamedFileIsWrittenAndEveryPictureLoadsAtItsSize) {
  std::set<std::string> written;
  for (const auto& entry : std::filesystem::directory_iterator(Art(""))) written.insert(entry.path().filename());
  const std::vector<std::string> listed = kavelo::artwork::ArtworkFileNames();
  EXPECT_EQ(written, std::set<std::string>(listed.begin(), listed.end()));
  EXPECT_EQ(written.size(), kTiles + 10 + 2 + 5u);  // tiles, trail frames, mark and bar, sounds
  for (const std::string& name : written) {
    if (name.ends_with(".png")) Load(Art(name), name == "timebar.png" ? 768 : kCell, name == "timebar.png" ? 16 : kCell);
  }
  EXPECT_NE(RunGenerator(""), 0);
  EXPECT_NE(RunGenerator("/proc/kavelo-cannot-be-made"), 0);
}

TEST_F(Artwork, NoTwoTilesLookAlikeAndNoTwoSoundsSoundAlike) {
  std::vector<std::vector<std::uint8_t>> tiles;
  for (int n = 1; n <= kTiles; ++n) tiles.push_back(Load(Art("tile" + std::to_string(n) + ".png"), kCell, kCell));
  for (int a = 0; a < kTiles; ++a) {
    for (int b = 0; b < a; ++b) {
      int differing = 0;  // pixels where some channel steps by 64 or more
      for (std::size_t i = 0; i + 4 <= tiles[a].size() && i + 4 <= tiles[b].size(); i += 4) {
        bool step = false;
        for (int c = 0; c < 3; ++c) step |= std::abs(tiles[a][i + c] - tiles[b][i + c]) >= 64;
        differing += step;
      }
      EXPECT_GE(differing, 150) << "tile" << a + 1 << " and tile" << b + 1 << " look alike";
    }
  }
  std::vector<std::vector<int>> sounds;
  for (const char* name : {"choose.wav", "cancel.wav", "wrong.wav", "connect.wav", "win.wav"}) {
    SDL_AudioSpec format{};
    Uint8* bytes = nullptr;
    Uint32 length = 0;
    ASSERT_TRUE(SDL_LoadWAV(Art(name).c_str(), &format, &bytes, &length)) << name;
    EXPECT_EQ(std::tuple(format.format, format.channels), std::tuple(AUDIO_S16LSB, 1)) << name;
    std::vector<int>& s = sounds.emplace_back(length / 2);
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = static_cast<std::int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    SDL_FreeWAV(bytes);
    for (std::size_t j = 0; j + 1 < sounds.size(); ++j) {
      double difference = 0;
      for (std::size_t k = 0; k < std::max(s.size(), sounds[j].size()); ++k) {
        difference += std::abs((k < s.size() ? s[k] : 0) - (k < sounds[j].size() ? sounds[j][k] : 0));
      }
      EXPECT_GT(difference / static_cast<double>(std::max(s.size(), sounds[j].size())), 1000.0) << name << " " << j;
    }
  }
}

TEST_F(Artwork, IconsHaveEverySideATransparentGroundAndAnOpaqueTile) {
  ASSERT_EQ(RunGenerator("--icons '" + (root / "icons").string() + "'"), 0);
  for (int side : kavelo::artwork::IconSides()) {
    const std::string file = (root / "icons" / ("kavelo-play-" + std::to_string(side) + ".png")).string();
    SDL_Surface* loaded = IMG_Load(file.c_str());
    ASSERT_NE(loaded, nullptr) << file;
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    ASSERT_NE(rgba, nullptr);
    const auto alpha = [rgba](int x, int y) { return static_cast<Uint8*>(rgba->pixels)[y * rgba->pitch + x * 4 + 3]; };
    EXPECT_EQ(std::tuple(rgba->w, rgba->h), std::tuple(side, side)) << file;
    EXPECT_EQ(std::tuple(alpha(0, side - 1), alpha(side - 1, 0), alpha(side / 2, side / 2)), std::tuple(0, 0, 255)) << file;
    SDL_FreeSurface(rgba);
  }
}

TEST_F(Artwork, PicturesInTheProjectsOwnPngFilesLoadAsTheCompressedOnesDo) {
  using namespace kavelo::artwork;
  struct Case {
    const char* name;
    Raster picture;
  } cases[] = {
      {"tile at 24", DrawTile(DesignOfTile(5), 24, ArtStyle::kContrast)},
      {"tile at 128", DrawTile(DesignOfTile(17), 128)},
      {"time bar at 96, in several stored blocks", DrawTimeBar(96)},
  };
  for (const Case& c : cases) {
    std::string error;
    ASSERT_TRUE(WriteStoredPng(c.picture, root / "stored.png", error)) << error;
    ASSERT_TRUE(WritePng(c.picture, root / "compressed.png", error)) << error;
    const auto stored = Load(root / "stored.png", c.picture.Width(), c.picture.Height());
    EXPECT_FALSE(stored.empty()) << c.name;
    EXPECT_EQ(stored, Load(root / "compressed.png", c.picture.Width(), c.picture.Height())) << c.name;
  }
  EXPECT_FALSE(WriteStoredPng(Raster(0, 0), root / "empty.png", *std::make_unique<std::string>()));
  EXPECT_TRUE(StoredPng(Raster(3, 0)).empty());
}
