#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/FrameSurface.h"

using kavelo::platform::FrameSurface;

namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

// Whether v lies in [start, start + length), in wider arithmetic than the surface uses.
bool Inside(std::int64_t v, std::int64_t start, std::int64_t length) {
  return length > 0 && v >= start && static_cast<__int128>(v) - start < length;
}

// Pixel (column, row from the top) of the test picture: unique, so a flipped or shifted copy shows.
std::uint32_t Value(std::int64_t column, std::int64_t row) {
  return 0x80000000u | static_cast<std::uint32_t>(row << 8 | column);
}

}  // namespace

TEST(FrameSurface, CreatesOnlySizesItCanHoldAllZero) {
  constexpr int kMaxSide = FrameSurface::kMaxSide;
  const struct {
    int width, height;
    bool made;
  } cases[] = {{1, 1, true},         {64, 48, true},           {kMaxSide, 1, true},  {0, 10, false},
               {10, -1, false},      {kMaxSide + 1, 1, false}, {1, kMaxSide + 1, false},
               {100000, 100000, false}};
  for (const auto& c : cases) {
    FrameSurface surface;
    ASSERT_TRUE(surface.Create(3, 3));  // a failed Create also drops the earlier surface
    EXPECT_EQ(surface.Create(c.width, c.height), c.made) << c.width << "x" << c.height;
    EXPECT_EQ(surface.Width(), c.made ? c.width : 0);
    EXPECT_EQ(surface.Pixels() == nullptr, !c.made);
    if (c.made) {
      const std::size_t bytes = static_cast<std::size_t>(c.height) * surface.StrideBytes();
      EXPECT_EQ(std::vector<std::uint8_t>(surface.Pixels(), surface.Pixels() + bytes), std::vector<std::uint8_t>(bytes));
    }
  }
}

TEST(FrameSurface, FillsAndPlacesOnlyWithinTheAreaAndTheSurface) {
  const struct {
    const char* what;
    bool picture;  // place a 4 x 3 picture, or fill with ones
    std::int64_t x, y, width, height;
  } cases[] = {
      {"fill inside", false, 2, 1, 3, 2},
      {"fill over the left and top edges", false, -2, -3, 4, 5},
      {"fill over the right and bottom edges", false, 6, 4, 10, 10},
      {"fill entirely left", false, -10, 0, 10, 6},
      {"fill of no width", false, 3, 3, 0, 2},
      {"fill of negative height", false, 3, 3, 2, -2},
      {"fill of huge size", false, 5, 5, kMax, kMax},
      {"fill from far left", false, kMin, 2, kMax, 1},
      {"picture whole", true, 1, 1, 4, 3},
      {"picture in a larger area", true, 2, 2, 6, 6},
      {"picture in a smaller area", true, 1, 1, 2, 2},
      {"picture over the left and top edges", true, -2, -1, 4, 3},
      {"picture over the right and bottom edges", true, 6, 4, 4, 3},
      {"picture entirely below", true, 0, 6, 4, 3},
      {"picture in a huge area", true, 6, 4, kMax, kMax},
      {"picture from far left", true, kMin, 0, kMax, 3},
  };
  std::vector<std::uint8_t> picture(4 * 3 * 4);  // exactly its size: a read past it is caught
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 4; ++column) {
      const std::uint32_t v = Value(column, row);
      std::memcpy(&picture[((2 - row) * 4 + column) * 4], &v, 4);  // bottom row first
    }
  }
  for (const auto& c : cases) {
    FrameSurface surface;
    ASSERT_TRUE(surface.Create(8, 6));
    if (c.picture) {
      surface.PlacePicture(c.x, c.y, c.width, c.height, {picture.data(), 4, 3});
    } else {
      surface.FillOnes(c.x, c.y, c.width, c.height);
    }
    const std::int64_t width = c.picture ? std::min<std::int64_t>(c.width, 4) : c.width;
    const std::int64_t height = c.picture ? std::min<std::int64_t>(c.height, 3) : c.height;
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 8; ++x) {
        std::uint32_t got = 0;
        std::memcpy(&got, surface.Pixels() + (y * 8 + x) * 4, 4);
        const bool covered = Inside(x, c.x, width) && Inside(y, c.y, height);
        const std::uint32_t expected = !covered ? 0u : c.picture ? Value(x - c.x, y - c.y) : 0xFFFFFFFFu;
        ASSERT_EQ(got, expected) << c.what << " at " << x << "," << y;
      }
    }
  }
}
