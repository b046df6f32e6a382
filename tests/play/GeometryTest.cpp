#include <gtest/gtest.h>

#include <vector>

#include "play/artwork/Geometry.h"

namespace kavelo::artwork {
namespace {

TEST(ArtworkGeometry, DistancesAreSignedAndExactNearTheOutline) {
  const std::vector<Vec2> square = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  // An L whose notch (the upper right quarter) is outside: tests the parity rule on a concave shape.
  const std::vector<Vec2> ell = {{-1, -1}, {0, -1}, {0, 0}, {1, 0}, {1, 1}, {-1, 1}};
  struct Case {
    const char* what;
    float distance;
    float expected;
  } cases[] = {
      {"circle centre", CircleDistance({0, 0}, 2), -2},
      {"circle outside", CircleDistance({3, 4}, 2), 3},
      {"box side", RoundedBoxDistance({3, 0}, {1, 1}, 0), 2},
      {"box inside", RoundedBoxDistance({0.5f, 0}, {1, 1}, 0), -0.5f},
      {"rounded corner", RoundedBoxDistance({2, 2}, {1, 1}, 0.5f), 1.41421f * 1.5f - 0.5f},
      {"square polygon outside", PolygonDistance({3, 0}, square), 2},
      {"square polygon inside", PolygonDistance({0, 0.25f}, square), -0.75f},
      {"square polygon corner", PolygonDistance({2, 2}, square), 1.41421f},
      {"ell inside", PolygonDistance({-0.5f, 0.5f}, ell), -0.5f},
      {"ell notch is outside", PolygonDistance({0.5f, -0.5f}, ell), 0.5f},
      {"capsule beside", CapsuleDistance({0, 1}, {-1, 0}, {1, 0}, 0.25f), 0.75f},
      {"capsule past the end", CapsuleDistance({3, 0}, {-1, 0}, {1, 0}, 0.25f), 1.75f},
      {"degenerate polygon", PolygonDistance({3, 4}, std::vector<Vec2>{{0, 0}, {1, 0}}), 5},
  };
  for (const Case& c : cases) EXPECT_NEAR(c.distance, c.expected, 1e-4f) << c.what;
}

TEST(ArtworkGeometry, CombinedShapesKeepInsideAndOutsideApart) {
  const Shape disc = [](Vec2 p) { return CircleDistance(p, 1); };
  const Shape right = [](Vec2 p) { return CircleDistance(p - Vec2{1, 0}, 1); };
  struct Case {
    const char* what;
    Shape shape;
    Vec2 point;
    bool inside;
  } cases[] = {
      {"union covers the second", Union(disc, right), {1.8f, 0}, true},
      {"intersection drops the first alone", Intersect(disc, right), {-0.8f, 0}, false},
      {"intersection keeps the overlap", Intersect(disc, right), {0.5f, 0}, true},
      {"subtraction cuts the overlap", Subtract(disc, right), {0.5f, 0}, false},
      {"subtraction keeps the rest", Subtract(disc, right), {-0.8f, 0}, true},
      {"smooth union fills the seam", SmoothUnion(disc, right, 0.5f), {0.5f, 0.95f}, true},
      {"grow reaches further", Grow(disc, 0.5f), {1.4f, 0}, true},
      {"outline has a hole", Outline(disc, 0.2f), {0, 0}, false},
      {"outline covers the rim", Outline(disc, 0.2f), {0, 1.1f}, true},
      {"place scales and moves", Place(disc, {10, 10}, 5), {14, 10}, true},
      {"place keeps far points out", Place(disc, {10, 10}, 5), {16, 10}, false},
      {"a zero scale draws nothing", Place(disc, {0, 0}, 0), {0, 0}, false},
      {"shift moves", Shift(disc, {3, 0}), {3.9f, 0}, true},
  };
  for (const Case& c : cases) EXPECT_EQ(c.shape(c.point) < 0, c.inside) << c.what;
  // Scaling by 5 scales distances by 5, so the painter's pixel distances stay true.
  EXPECT_NEAR(Place(disc, {10, 10}, 5)({20, 10}), 5.0f, 1e-4f);
}

}  // namespace
}  // namespace kavelo::artwork
