#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "play/artwork/Palette.h"
#include "play/artwork/Raster.h"
#include "play/artwork/SymbolCatalogue.h"

namespace kavelo::artwork {
namespace {

constexpr int kSide = 64;
constexpr float kScale = 28;  // pixels per symbol unit

// How far two outlines lie apart: the share of their combined area that only one covers.
double Apart(const std::vector<float>& a, const std::vector<float>& b) {
  double apart = 0, together = 0;
  for (std::size_t k = 0; k < a.size(); ++k) {
    apart += std::abs(a[k] - b[k]);
    together += std::max(a[k], b[k]);
  }
  return apart / together;
}

std::vector<float> Mask(Symbol symbol) {
  const Shape shape = Place(SymbolShape(symbol), {kSide / 2.0f, kSide / 2.0f}, kScale);
  std::vector<float> mask;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) mask.push_back(Coverage(shape, x, y));
  }
  return mask;
}

TEST(ArtworkSymbols, EachIsASolidCentredShapeInsideItsBox) {
  for (int i = 0; i < kSymbolCount; ++i) {
    const auto symbol = static_cast<Symbol>(i);
    const std::vector<float> mask = Mask(symbol);
    double area = 0, sumX = 0, sumY = 0;
    bool outsideBox = false;
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x) {
        const float c = mask[static_cast<std::size_t>(y * kSide + x)];
        area += c;
        sumX += c * (x + 0.5);
        sumY += c * (y + 0.5);
        // The box of two units, with a pixel to spare.
        if (c > 0 && (std::abs(x + 0.5f - kSide / 2.0f) > kScale + 1 || std::abs(y + 0.5f - kSide / 2.0f) > kScale + 1)) {
          outsideBox = true;
        }
      }
    }
    const double box = 4.0 * kScale * kScale;
    EXPECT_GT(area, 0.2 * box) << SymbolName(symbol) << " is too thin to see";
    EXPECT_LT(area, 0.8 * box) << SymbolName(symbol) << " fills its box";
    EXPECT_FALSE(outsideBox) << SymbolName(symbol) << " spills out of its box";
    EXPECT_NEAR(sumX / area, kSide / 2.0, 0.2 * kScale) << SymbolName(symbol) << " is off centre";
    EXPECT_NEAR(sumY / area, kSide / 2.0, 0.2 * kScale) << SymbolName(symbol) << " is off centre";
  }
}

TEST(ArtworkSymbols, NoTwoOutlinesAreAlike) {
  std::vector<std::vector<float>> masks;
  for (int i = 0; i < kSymbolCount; ++i) masks.push_back(Mask(static_cast<Symbol>(i)));
  std::set<std::string_view> names;
  for (int a = 0; a < kSymbolCount; ++a) {
    names.insert(SymbolName(static_cast<Symbol>(a)));
    for (int b = a + 1; b < kSymbolCount; ++b) {
      // Distinct simple shapes (a circle and a square of like size) differ in about a fifth.
      EXPECT_GT(Apart(masks[a], masks[b]), 0.15) << SymbolName(static_cast<Symbol>(a)) << " and "
                                                 << SymbolName(static_cast<Symbol>(b)) << " overlap too much";
    }
  }
  EXPECT_EQ(names.size(), static_cast<std::size_t>(kSymbolCount));
}

TEST(ArtworkPalette, EveryTileHasItsOwnSymbolAndHuePair) {
  std::set<std::pair<int, int>> seen;
  std::vector<int> perSymbol(kSymbolCount, 0);
  std::vector<int> perHue(kHueCount, 0);
  for (int n = 1; n <= kTileCount; ++n) {
    const TileDesign design = DesignOfTile(n);
    ASSERT_GE(design.hue, 0);
    ASSERT_LT(design.hue, kHueCount);
    EXPECT_TRUE(seen.insert({static_cast<int>(design.symbol), design.hue}).second) << "tile" << n << " repeats";
    ++perSymbol[static_cast<std::size_t>(design.symbol)];
    ++perHue[static_cast<std::size_t>(design.hue)];
    EXPECT_EQ(DesignOfTile(n + kTileCount).hue, design.hue);
    // Tiles that share a symbol sit far apart on the colour wheel.
    for (int m = 1; m < n; ++m) {
      const TileDesign other = DesignOfTile(m);
      if (other.symbol != design.symbol) continue;
      const int step = std::abs(other.hue - design.hue);
      EXPECT_GE(std::min(step, kHueCount - step), kHueCount / 3) << "tile" << m << " and tile" << n;
    }
  }
  for (int count : perSymbol) EXPECT_EQ(count, kTileCount / kSymbolCount);
  for (int count : perHue) {
    EXPECT_GE(count, kTileCount / kHueCount);
    EXPECT_LE(count, kTileCount / kHueCount + 1);
  }
  const auto& hues = SymbolHues();
  for (std::size_t a = 0; a < hues.size(); ++a) {
    for (std::size_t b = a + 1; b < hues.size(); ++b) {
      const float d = std::abs(hues[a].r - hues[b].r) + std::abs(hues[a].g - hues[b].g) + std::abs(hues[a].b - hues[b].b);
      EXPECT_GT(d, 0.3f) << "hues " << a << " and " << b << " are alike";
    }
  }
}

}  // namespace
}  // namespace kavelo::artwork

namespace kavelo::artwork {
namespace {

TEST(ArtworkPalette, TheClosestOutlinesNeverShareAHue) {
  std::vector<std::vector<float>> masks;
  for (int i = 0; i < kSymbolCount; ++i) masks.push_back(Mask(static_cast<Symbol>(i)));
  std::vector<std::set<int>> huesOf(kSymbolCount);
  for (int n = 1; n <= kTileCount; ++n) {
    huesOf[static_cast<std::size_t>(DesignOfTile(n).symbol)].insert(DesignOfTile(n).hue);
  }
  int close = 0;
  for (int a = 0; a < kSymbolCount; ++a) {
    for (int b = a + 1; b < kSymbolCount; ++b) {
      if (Apart(masks[a], masks[b]) >= 0.22) continue;
      ++close;
      for (int hue : huesOf[a]) {
        EXPECT_EQ(huesOf[b].count(hue), 0u) << SymbolName(static_cast<Symbol>(a)) << " and "
                                            << SymbolName(static_cast<Symbol>(b)) << " share hue " << hue;
      }
    }
  }
  EXPECT_GT(close, 0);  // the round and square outlines come this close
}

}  // namespace
}  // namespace kavelo::artwork
