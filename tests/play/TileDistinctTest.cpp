// Tiles every player can tell apart: every two kinds differ in outline, their colours stay
// apart under the common colour-vision deficiencies and in greyscale, and symbols stand
// out from their faces in both styles.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "ColourVision.h"
#include "play/artwork/Palette.h"
#include "play/artwork/Raster.h"
#include "play/artwork/TileArt.h"

namespace {

using namespace kavelo::artwork;
using kavelo::test::ContrastRatio;
using kavelo::test::Distance;
using kavelo::test::RelativeLuminance;
using kavelo::test::SeenAs;
using kavelo::test::Vision;

// The most two symbols' masks may share, as intersection over union: the art's closest
// pair, the leaf and the drop, measures 0.72; one symbol laid on itself measures 1.
constexpr double kMaxOverlap = 0.75;
// Every two colours of the palette stay this far apart (CIE 1976) for each viewer ...
constexpr double kMinColourDistance = 20;
// ... and this far apart in lightness, for greyscale.
constexpr double kMinLightnessStep = 9;
// WCAG's least contrast for graphical objects, between a symbol and its face.
constexpr double kMinContrast = 3;

std::vector<float> Mask(Symbol symbol, int side) {
  const Shape shape = SymbolOnTile(symbol, side);
  std::vector<float> mask;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) mask.push_back(Coverage(shape, x, y));
  }
  return mask;
}

double Overlap(const std::vector<float>& a, const std::vector<float>& b) {
  double shared = 0, either = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    shared += std::min(a[i], b[i]);
    either += std::max(a[i], b[i]);
  }
  return either > 0 ? shared / either : 1;
}

struct AlikePair {
  double overlap = 0;
  int first = -1, second = -1;  // indexes into the set
};

// The two symbols of a set whose masks at `side` pixels overlap most.
AlikePair MostAlike(const std::vector<Symbol>& set, int side) {
  std::vector<std::vector<float>> masks;
  for (Symbol s : set) masks.push_back(Mask(s, side));
  AlikePair most;
  for (int a = 0; a < static_cast<int>(set.size()); ++a) {
    for (int b = 0; b < a; ++b) {
      const double overlap = Overlap(masks[a], masks[b]);
      if (overlap > most.overlap) most = {overlap, b, a};
    }
  }
  return most;
}

std::vector<Symbol> TileSymbols() {
  std::vector<Symbol> symbols;
  for (int n = 1; n <= kTileCount; ++n) symbols.push_back(DesignOfTile(n).symbol);
  return symbols;
}

class SilhouettesAtSide : public ::testing::TestWithParam<int> {};

TEST_P(SilhouettesAtSide, EveryTwoKindsDifferInOutline) {
  const std::vector<Symbol> symbols = TileSymbols();
  const AlikePair most = MostAlike(symbols, GetParam());
  ASSERT_GE(most.first, 0);
  EXPECT_LE(most.overlap, kMaxOverlap) << SymbolName(symbols[most.first]) << " and " << SymbolName(symbols[most.second]);
  // The same measure finds a set in which two kinds share one symbol in two colours.
  std::vector<Symbol> twice = {Symbol::kCircle, Symbol::kStar, Symbol::kBolt, Symbol::kStar};
  const AlikePair shared = MostAlike(twice, GetParam());
  EXPECT_GT(shared.overlap, kMaxOverlap);
  EXPECT_EQ(std::pair(shared.first, shared.second), std::pair(1, 3));
}

// The smallest cell drawn, and the installed art's.
INSTANTIATE_TEST_SUITE_P(Sides, SilhouettesAtSide, ::testing::Values(24, 48));

TEST(TileKinds, EveryKindHasASymbolOfItsOwnAndColoursAreSharedEvenly) {
  std::vector<int> perColour(kColourCount, 0);
  std::vector<Symbol> symbols = TileSymbols();
  for (int n = 1; n <= kTileCount; ++n) ++perColour[DesignOfTile(n).colour];
  std::sort(symbols.begin(), symbols.end());
  EXPECT_EQ(std::adjacent_find(symbols.begin(), symbols.end()), symbols.end());
  EXPECT_EQ(kTileCount, 42);
  const auto [fewest, most] = std::minmax_element(perColour.begin(), perColour.end());
  EXPECT_LE(*most - *fewest, 1);
}

TEST(TileKinds, KindsOfDifferentColoursStayApartInGreyscale) {
  for (int a = 1; a <= kTileCount; ++a) {
    for (int b = 1; b < a; ++b) {
      const int ca = DesignOfTile(a).colour, cb = DesignOfTile(b).colour;
      if (ca == cb) continue;
      const double la = SeenAs(SymbolColours()[ca], Vision::kNormal).l, lb = SeenAs(SymbolColours()[cb], Vision::kNormal).l;
      EXPECT_GE(std::abs(la - lb), kMinLightnessStep) << "tiles " << a << " and " << b;
    }
  }
}

class ColoursForViewer : public ::testing::TestWithParam<Vision> {};

TEST_P(ColoursForViewer, KindsOfDifferentColoursStayApart) {
  for (int a = 1; a <= kTileCount; ++a) {
    for (int b = 1; b < a; ++b) {
      const int ca = DesignOfTile(a).colour, cb = DesignOfTile(b).colour;
      if (ca == cb) continue;  // told apart by outline alone
      const Colour x = SymbolColours()[ca], y = SymbolColours()[cb];
      EXPECT_GE(Distance(SeenAs(x, GetParam()), SeenAs(y, GetParam())), kMinColourDistance)
          << "tiles " << a << " and " << b << " under " << VisionName(GetParam());
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Viewers, ColoursForViewer,
                         ::testing::ValuesIn(kavelo::test::kVisions.begin(), kavelo::test::kVisions.end()),
                         [](const auto& info) { return std::string(VisionName(info.param)).substr(0, 4); });

TEST(ColourVision, ARedAndAGreenApartForNormalVisionFallTogetherForRedGreenDeficiencies) {
  const Colour red = FromBytes(210, 90, 60), green = FromBytes(130, 140, 60);
  EXPECT_GT(Distance(SeenAs(red, Vision::kNormal), SeenAs(green, Vision::kNormal)), 2 * kMinColourDistance);
  EXPECT_LT(Distance(SeenAs(red, Vision::kProtanopia), SeenAs(green, Vision::kProtanopia)), kMinColourDistance);
  EXPECT_LT(Distance(SeenAs(red, Vision::kDeuteranopia), SeenAs(green, Vision::kDeuteranopia)), kMinColourDistance);
  // A blue and a green, which tritanopia brings close.
  const Colour blue = FromBytes(60, 110, 230), green2 = FromBytes(40, 150, 40);
  EXPECT_LT(Distance(SeenAs(blue, Vision::kTritanopia), SeenAs(green2, Vision::kTritanopia)),
            Distance(SeenAs(blue, Vision::kNormal), SeenAs(green2, Vision::kNormal)) / 2);
}

// The mean relative luminance of the tile's pixels that lie wholly inside `where`.
double MeanLuminance(const Raster& tile, const Shape& where) {
  double sum = 0;
  int count = 0;
  for (int y = 0; y < tile.Height(); ++y) {
    for (int x = 0; x < tile.Width(); ++x) {
      if (Coverage(where, x, y) < 1) continue;
      sum += RelativeLuminance(tile.At(x, y));
      ++count;
    }
  }
  return count ? sum / count : -1;
}

double SymbolContrast(int tile, ArtStyle style) {
  constexpr int kSide = 48;
  const Raster raster = DrawTile(DesignOfTile(tile), kSide, style);
  const Shape symbol = SymbolOnTile(DesignOfTile(tile).symbol, kSide);
  // The symbol's body within its outline, and the face clear of the symbol and its shadow.
  const double ink = MeanLuminance(raster, Grow(symbol, -1.5f));
  const double face = MeanLuminance(raster, Subtract(Grow(FaceOnTile(kSide), -2), Grow(symbol, 4)));
  EXPECT_GE(ink, 0) << tile;
  EXPECT_GE(face, 0) << tile;
  return ContrastRatio(ink, face);
}

TEST(TileContrast, SymbolsStandOutFromTheirFacesAndMoreSoInTheContrastStyle) {
  for (int n = 1; n <= kTileCount; ++n) {
    const double standard = SymbolContrast(n, ArtStyle::kStandard);
    const double contrast = SymbolContrast(n, ArtStyle::kContrast);
    EXPECT_GE(standard, kMinContrast) << "tile " << n;
    EXPECT_GT(contrast, standard) << "tile " << n;
  }
}

}  // namespace
