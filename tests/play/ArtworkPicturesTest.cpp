#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "play/artwork/ArtworkSet.h"
#include "play/artwork/Palette.h"
#include "tests/play/GeneratedArtwork.h"

#ifdef KAVELO_TEST_IMAGE_LOADER
#include "image/LoadImageBits.h"
#endif

namespace kavelo::artwork::test {
namespace {

constexpr int kCell = 48;

std::string Numbered(const char* stem, int n) { return stem + std::to_string(n) + ".png"; }

struct ExpectedPicture {
  std::string name;
  int width;
  int height;
};

std::vector<ExpectedPicture> ExpectedPictures() {
  std::vector<ExpectedPicture> pictures;
  for (int n = 1; n <= kTileCount; ++n) pictures.push_back({Numbered("tile", n), kCell, kCell});
  for (int n = 1; n <= 10; ++n) pictures.push_back({Numbered("trail", n), kCell, kCell});
  pictures.push_back({"choose.png", kCell, kCell});
  pictures.push_back({"timebar.png", 768, 16});
  return pictures;
}

Picture Load(const std::string& name) {
  std::optional<Picture> picture = LoadPicture(GeneratedFolder() / name);
  if (!picture) {
    ADD_FAILURE() << name << " does not load";
    return {};
  }
  return *picture;
}

int Brightest(const std::array<std::uint8_t, 3>& p) { return std::max({p[0], p[1], p[2]}); }

class ArtworkPictures : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(GeneratedFolder().empty()) << "the generator failed"; }
};

TEST_F(ArtworkPictures, EveryNamedFileIsWrittenAndNothingElse) {
  std::set<std::string> expected;
  for (const auto& p : ExpectedPictures()) expected.insert(p.name);
  for (const char* sound : {"choose.wav", "cancel.wav", "wrong.wav", "connect.wav", "win.wav"}) expected.insert(sound);
  EXPECT_GE(kTileCount, 36);

  std::set<std::string> written;
  for (const auto& entry : std::filesystem::directory_iterator(GeneratedFolder())) {
    written.insert(entry.path().filename().string());
  }
  EXPECT_EQ(written, expected);
  const std::vector<std::string> listed = ArtworkFileNames();
  EXPECT_EQ(std::set<std::string>(listed.begin(), listed.end()), expected);
}

TEST_F(ArtworkPictures, EveryPictureDecodesAtItsSize) {
  for (const ExpectedPicture& expected : ExpectedPictures()) {
    const Picture picture = Load(expected.name);
    EXPECT_EQ(picture.width, expected.width) << expected.name;
    EXPECT_EQ(picture.height, expected.height) << expected.name;
  }
}

#ifdef KAVELO_TEST_IMAGE_LOADER
TEST_F(ArtworkPictures, TheGamesOwnLoaderReadsEveryPictureAsSdlImageDoes) {
  for (const ExpectedPicture& expected : ExpectedPictures()) {
    COlePicture loader;
    std::unique_ptr<std::uint8_t[]> pixels;
    int width = 0, height = 0, bits = 0;
    const std::wstring path = (GeneratedFolder() / expected.name).wstring();
    ASSERT_EQ(LoadImageBits(loader, path, pixels, width, height, bits), 0) << expected.name;
    ASSERT_EQ(width, expected.width);
    ASSERT_EQ(height, expected.height);
    EXPECT_EQ(bits, 32);
    const Picture reference = Load(expected.name);
    // The loader's rows run bottom-up, each pixel blue, green, red, alpha.
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const std::uint8_t* p = pixels.get() + (static_cast<std::size_t>(height - 1 - y) * width + x) * 4;
        const auto& r = reference.At(x, y);
        ASSERT_TRUE(p[2] == r[0] && p[1] == r[1] && p[0] == r[2]) << expected.name << " at " << x << "," << y;
      }
    }
  }
}
#endif

TEST_F(ArtworkPictures, TilesDifferPairwiseOverAClearArea) {
  std::vector<Picture> tiles;
  for (int n = 1; n <= kTileCount; ++n) tiles.push_back(Load(Numbered("tile", n)));
  for (int a = 0; a < kTileCount; ++a) {
    for (int b = a + 1; b < kTileCount; ++b) {
      // Pixels where the two tiles clearly differ (a step of 64 in some channel).
      int differing = 0;
      for (std::size_t i = 0; i < tiles[a].pixels.size() && i < tiles[b].pixels.size(); ++i) {
        for (int c = 0; c < 3; ++c) {
          if (std::abs(tiles[a].pixels[i][c] - tiles[b].pixels[i][c]) >= 64) {
            ++differing;
            break;
          }
        }
      }
      EXPECT_GE(differing, 150) << "tile" << a + 1 << " and tile" << b + 1 << " look alike";
    }
  }
}

// Pure black is the key colour: it must surround each tile and never show inside it,
// where it would punch a hole through the face.
TEST_F(ArtworkPictures, TilesAreKeyedOnlyOutsideTheFace) {
  for (int n = 1; n <= kTileCount; ++n) {
    const Picture tile = Load(Numbered("tile", n));
    ASSERT_EQ(tile.width, kCell);
    for (auto [x, y] : {std::pair{0, 0}, {kCell - 1, 0}, {0, kCell - 1}, {kCell - 1, kCell - 1}}) {
      EXPECT_TRUE(IsPureBlack(tile.At(x, y))) << "tile" << n << " corner " << x << "," << y;
    }
    // Flood the key colour in from the border; every pure black pixel must be reached.
    std::vector<char> reached(tile.pixels.size(), 0);
    std::vector<std::pair<int, int>> stack;
    for (int i = 0; i < kCell; ++i) {
      for (auto p : {std::pair{i, 0}, {i, kCell - 1}, {0, i}, {kCell - 1, i}}) stack.push_back(p);
    }
    int black = 0;
    for (const auto& p : tile.pixels) black += IsPureBlack(p);
    int flooded = 0;
    while (!stack.empty()) {
      auto [x, y] = stack.back();
      stack.pop_back();
      if (x < 0 || y < 0 || x >= kCell || y >= kCell) continue;
      const std::size_t i = static_cast<std::size_t>(y) * kCell + x;
      if (reached[i] || !IsPureBlack(tile.pixels[i])) continue;
      reached[i] = 1;
      ++flooded;
      stack.insert(stack.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
    }
    EXPECT_EQ(flooded, black) << "tile" << n << " has pure black pixels inside its face";
    EXPECT_LT(black, kCell * kCell / 5) << "tile" << n << " face is too small";
  }
}

TEST_F(ArtworkPictures, TrailGlowsBrightestFirstAndFades) {
  double previous = 1e9;
  for (int n = 1; n <= 10; ++n) {
    const Picture frame = Load(Numbered("trail", n));
    ASSERT_EQ(frame.width, kCell);
    double total = 0;
    for (const auto& p : frame.pixels) total += p[0] + p[1] + p[2];
    const double mean = total / (3.0 * frame.pixels.size());
    EXPECT_LT(mean, previous) << "trail" << n << " is not fainter than the frame before";
    previous = mean;
    EXPECT_GT(mean, 1.0) << "trail" << n << " is invisible";
    // The glow reaches the middle of every side, so the cells of a path join up, and
    // is brighter there than in the corners.
    const int middle = kCell / 2;
    for (auto [x, y] : {std::pair{middle, 0}, {0, middle}, {kCell - 1, middle}, {middle, kCell - 1}}) {
      EXPECT_GT(Brightest(frame.At(x, y)), Brightest(frame.At(0, 0))) << "trail" << n << " side " << x << "," << y;
    }
    if (n == 1) {
      EXPECT_GE(Brightest(frame.At(middle, middle)), 240);
    }
  }
}

TEST_F(ArtworkPictures, SelectionMarkIsABrightBorderAroundAKeyedCentre) {
  const Picture mark = Load("choose.png");
  ASSERT_EQ(mark.width, kCell);
  for (int y = 8; y < kCell - 8; ++y) {
    for (int x = 8; x < kCell - 8; ++x) ASSERT_TRUE(IsPureBlack(mark.At(x, y))) << x << "," << y;
  }
  const int middle = kCell / 2;
  for (int inset = 1; inset <= 3; ++inset) {
    for (auto [x, y] : {std::pair{middle, inset}, {inset, middle}, {kCell - 1 - inset, middle}, {middle, kCell - 1 - inset}}) {
      EXPECT_GE(Brightest(mark.At(x, y)), 180) << "border at " << x << "," << y;
    }
  }
}

TEST_F(ArtworkPictures, TimeBarRunsFromRedToGreenWithoutKeyColour) {
  const Picture bar = Load("timebar.png");
  ASSERT_EQ(bar.width, 768);
  for (const auto& p : bar.pixels) ASSERT_FALSE(IsPureBlack(p));
  const auto& left = bar.At(4, 8);
  const auto& middle = bar.At(384, 8);
  const auto& right = bar.At(763, 8);
  EXPECT_GT(left[0], left[1] + 80);    // red
  EXPECT_GT(right[1], right[0] + 80);  // green
  EXPECT_GT(std::min(middle[0], middle[1]), middle[2] + 80);  // yellow
}

TEST(ArtworkProgram, RefusesAMissingOrUnusableFolder) {
  EXPECT_NE(RunGenerator(""), 0);
  EXPECT_NE(RunGenerator("one two"), 0);
  EXPECT_NE(RunGenerator("/proc/kavelo-cannot-be-made"), 0);
}

}  // namespace
}  // namespace kavelo::artwork::test
