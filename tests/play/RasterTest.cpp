#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "play/artwork/Raster.h"

namespace kavelo::artwork {
namespace {

Shape HalfPlaneLeftOf(float x) {
  return [x](Vec2 p) { return p.x - x; };
}

TEST(ArtworkRaster, CoverageCountsTheShareOfThePixelInside) {
  struct Case {
    float edge;  // the shape is everything left of this x
    int pixel;
    float expected;
  } cases[] = {
      {10.5f, 10, 0.5f}, {10.25f, 10, 0.25f}, {10.0f, 10, 0.0f}, {11.0f, 10, 1.0f},
      {40.0f, 10, 1.0f}, {-3.0f, 10, 0.0f},   {10.875f, 10, 0.875f},
  };
  for (const Case& c : cases) EXPECT_FLOAT_EQ(Coverage(HalfPlaneLeftOf(c.edge), c.pixel, 3), c.expected) << c.edge;
}

TEST(ArtworkRaster, AFilledDiscCoversItsArea) {
  Raster raster(40, 40);
  raster.Fill([](Vec2 p) { return CircleDistance(p - Vec2{20, 20}, 12); }, Colour{1, 0, 0, 1});
  double area = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) area += raster.At(x, y).a;
  }
  EXPECT_NEAR(area, std::numbers::pi * 144, 144 * 0.01);
  // Smooth edge: the pixel the outline crosses on the diagonal (at 28.49) is partly covered.
  EXPECT_GT(raster.At(28, 28).a, 0.2f);
  EXPECT_LT(raster.At(28, 28).a, 0.8f);
}

TEST(ArtworkRaster, PaintingCompositesOverWhatIsThere) {
  const Shape everywhere = [](Vec2) { return -100.0f; };
  Raster raster(2, 2);
  raster.Fill(everywhere, Colour{0, 0, 1, 0.5f});
  EXPECT_FLOAT_EQ(raster.At(0, 0).b, 0.5f);  // premultiplied: half blue over nothing
  EXPECT_FLOAT_EQ(raster.At(0, 0).a, 0.5f);
  raster.Fill(everywhere, Colour{1, 0, 0, 0.5f});
  EXPECT_FLOAT_EQ(raster.At(1, 1).r, 0.5f);
  EXPECT_FLOAT_EQ(raster.At(1, 1).b, 0.25f);
  EXPECT_FLOAT_EQ(raster.At(1, 1).a, 0.75f);
  raster.Fill(everywhere, Colour{0, 1, 0, 1});
  EXPECT_FLOAT_EQ(raster.At(1, 0).g, 1.0f);
  EXPECT_FLOAT_EQ(raster.At(1, 0).r, 0.0f);
  EXPECT_FLOAT_EQ(raster.At(5, 0).a, 0.0f);  // outside the picture
}

TEST(ArtworkRaster, SoftFillFadesOutsideTheOutline) {
  Raster raster(20, 1);
  raster.FillSoft(HalfPlaneLeftOf(5), [](Vec2) { return Colour{1, 1, 1, 1}; }, 8);
  EXPECT_FLOAT_EQ(raster.At(2, 0).a, 1.0f);
  for (int x = 5; x < 13; ++x) EXPECT_LT(raster.At(x + 1, 0).a, raster.At(x, 0).a) << x;
  EXPECT_FLOAT_EQ(raster.At(14, 0).a, 0.0f);
}

TEST(ArtworkRaster, KeyedBytesKeepBlackForUnpaintedPixelsOnly) {
  Raster raster(4, 1);
  raster.Fill([](Vec2 p) { return p.x - 1; }, Colour{0, 0, 0, 1});          // pixel 0: painted black
  raster.Fill([](Vec2 p) { return std::abs(p.x - 2.5f) - 0.5f; }, Colour{1, 0.5f, 0, 1});  // pixel 2: orange
  raster.Fill([](Vec2 p) { return std::abs(p.x - 3.5f) - 0.5f; }, Colour{1, 1, 1, 0.001f});  // pixel 3: a trace
  const std::vector<std::uint8_t> bytes = raster.KeyedRgb();
  const std::vector<std::uint8_t> expected = {1, 1, 1, 0, 0, 0, 255, 128, 0, 0, 0, 0};
  EXPECT_EQ(bytes, expected);
}

TEST(ArtworkRaster, BadSizesGiveAnEmptyPicture) {
  Raster raster(-4, 10);
  EXPECT_EQ(raster.Width(), 0);
  raster.Fill(HalfPlaneLeftOf(100), Colour{1, 1, 1, 1});
  EXPECT_TRUE(raster.KeyedRgb().empty());
  EXPECT_EQ(Raster(kMaxRasterSide + 1, 1).Width(), kMaxRasterSide);
}

}  // namespace
}  // namespace kavelo::artwork
