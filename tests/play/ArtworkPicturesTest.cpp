#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <tuple>
#include <utility>

#include "play/artwork/ArtworkSet.h"
#include "tests/play/GeneratedArtwork.h"

#ifdef KAVELO_TEST_IMAGE_LOADER
#include "image/LoadImageBits.h"
#endif

namespace kavelo::artwork::test {
namespace {

constexpr int kCell = 48;
constexpr int kTiles = 42;  // the game names tile1.png .. tile42.png

std::string Numbered(const char* stem, int n) { return stem + std::to_string(n) + ".png"; }
int Brightest(const Rgb& p) { return std::max({p[0], p[1], p[2]}); }

std::vector<std::string> PictureNames() {
  std::vector<std::string> names = {"choose.png", "timebar.png"};
  for (int n = 1; n <= kTiles; ++n) names.push_back(Numbered("tile", n));
  for (int n = 1; n <= 10; ++n) names.push_back(Numbered("trail", n));
  return names;
}

TEST_F(ArtworkFiles, EveryNamedFileIsWrittenAndNothingElse) {
  std::set<std::string> expected = {"choose.wav", "cancel.wav", "wrong.wav", "connect.wav", "win.wav"};
  for (const std::string& name : PictureNames()) expected.insert(name);
  std::set<std::string> written;
  for (const auto& entry : std::filesystem::directory_iterator(GeneratedFolder())) {
    written.insert(entry.path().filename().string());
  }
  EXPECT_EQ(written, expected);
  const std::vector<std::string> listed = ArtworkFileNames();
  EXPECT_EQ(std::set<std::string>(listed.begin(), listed.end()), expected);
  EXPECT_NE(RunGenerator(""), 0);
  EXPECT_NE(RunGenerator("/proc/kavelo-cannot-be-made"), 0);
}

TEST_F(ArtworkFiles, EveryPictureLoadsAtItsSize) {
  for (const std::string& name : PictureNames()) {
    const int width = name == "timebar.png" ? 768 : kCell, height = name == "timebar.png" ? 16 : kCell;
    const Picture picture = LoadPicture(name);
    ASSERT_EQ(std::tuple(picture.width, picture.height), std::tuple(width, height)) << name;
#ifdef KAVELO_TEST_IMAGE_LOADER
    // The game's own loader reads the same pixels; its rows run bottom-up as blue, green, red, alpha.
    COlePicture loader;
    std::unique_ptr<std::uint8_t[]> bits;
    int w = 0, h = 0, depth = 0;
    ASSERT_EQ(LoadImageBits(loader, (GeneratedFolder() / name).wstring(), bits, w, h, depth), 0) << name;
    ASSERT_EQ(std::tuple(w, h, depth), std::tuple(width, height, 32)) << name;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const std::uint8_t* p = bits.get() + (static_cast<std::size_t>(h - 1 - y) * w + x) * 4;
        ASSERT_EQ((Rgb{p[2], p[1], p[0]}), picture.At(x, y)) << name << " at " << x << "," << y;
      }
    }
#endif
  }
}

TEST_F(ArtworkFiles, TilesDifferPairwiseAndAreKeyedOnlyOutsideTheFace) {
  std::vector<Picture> tiles;
  for (int n = 1; n <= kTiles; ++n) tiles.push_back(LoadPicture(Numbered("tile", n)));
  for (int a = 0; a < kTiles; ++a) {
    ASSERT_EQ(tiles[a].pixels.size(), static_cast<std::size_t>(kCell * kCell));
    for (int b = 0; b < a; ++b) {
      int differing = 0;  // pixels where some channel steps by 64 or more
      for (std::size_t i = 0; i < tiles[a].pixels.size(); ++i) {
        const Rgb &p = tiles[a].pixels[i], &q = tiles[b].pixels[i];
        differing += std::abs(p[0] - q[0]) >= 64 || std::abs(p[1] - q[1]) >= 64 || std::abs(p[2] - q[2]) >= 64;
      }
      EXPECT_GE(differing, 150) << "tile" << a + 1 << " and tile" << b + 1 << " look alike";
    }
    // Pure black is the key colour: around the face it keys the tile's corners away,
    // inside it would punch a hole. The face is convex, so black may only run in from
    // either end of a row.
    const Picture& tile = tiles[a];
    for (auto row = tile.pixels.begin(); row != tile.pixels.end(); row += kCell) {
      const auto first = std::find_if_not(row, row + kCell, IsPureBlack);
      const auto last = std::find_if_not(std::reverse_iterator(row + kCell), std::reverse_iterator(row), IsPureBlack).base();
      EXPECT_EQ(std::count_if(first, std::max(first, last), IsPureBlack), 0) << "tile" << a + 1 << " has a hole";
    }
    EXPECT_TRUE(IsPureBlack(tile.At(kCell - 1, 0))) << "tile" << a + 1 << " is not keyed at its corner";
    EXPECT_LT(std::count_if(tile.pixels.begin(), tile.pixels.end(), IsPureBlack), kCell * kCell / 5) << "tile" << a + 1;
  }
}

TEST_F(ArtworkFiles, TrailFadesFrameByFrame) {
  double previous = 1e9;
  for (int n = 1; n <= 10; ++n) {
    const Picture frame = LoadPicture(Numbered("trail", n));
    ASSERT_EQ(frame.width, kCell);
    double total = 0;
    for (const Rgb& p : frame.pixels) total += p[0] + p[1] + p[2];
    const double mean = total / (3.0 * frame.pixels.size());
    EXPECT_LT(mean, std::exchange(previous, mean)) << "trail" << n << " is not fainter than the frame before";
    EXPECT_GT(mean, 1.0) << "trail" << n << " is invisible";
    // The glow reaches the middle of a side, so the cells of a path join up.
    EXPECT_GT(Brightest(frame.At(kCell / 2, 0)), Brightest(frame.At(0, 0))) << "trail" << n;
  }
}

TEST_F(ArtworkFiles, MarkIsABrightBorderAroundAKeyedCentreAndTheTimeBarHasNoKey) {
  const Picture mark = LoadPicture("choose.png");
  ASSERT_EQ(mark.width, kCell);
  for (int y = 8; y < kCell - 8; ++y) {
    for (int x = 8; x < kCell - 8; ++x) ASSERT_TRUE(IsPureBlack(mark.At(x, y))) << x << "," << y;
  }
  for (auto [x, y] : {std::pair{kCell / 2, 2}, {2, kCell / 2}, {kCell - 3, kCell / 2}, {kCell / 2, kCell - 3}}) {
    EXPECT_GE(Brightest(mark.At(x, y)), 180) << "no bright border at " << x << "," << y;
  }
  const Picture bar = LoadPicture("timebar.png");
  ASSERT_EQ(bar.width, 768);
  EXPECT_EQ(std::count_if(bar.pixels.begin(), bar.pixels.end(), IsPureBlack), 0);
  EXPECT_GT(bar.At(4, 8)[0], bar.At(4, 8)[1] + 80);      // red on the left
  EXPECT_GT(bar.At(763, 8)[1], bar.At(763, 8)[0] + 80);  // green on the right
}

}  // namespace
}  // namespace kavelo::artwork::test
