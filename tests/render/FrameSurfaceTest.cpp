#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/FrameSurface.h"

using kavelo::platform::BottomUpPicture;
using kavelo::platform::FrameSurface;

namespace {

constexpr std::int64_t kHuge = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kHugeNegative = std::numeric_limits<std::int64_t>::min();

std::uint32_t PixelAt(const FrameSurface& surface, int x, int y) {
  std::uint32_t value = 0;
  std::memcpy(&value, surface.Pixels() + static_cast<std::size_t>(y) * surface.StrideBytes() + x * 4, 4);
  return value;
}

// Whether v lies in [start, start + length), in wider arithmetic than the surface uses.
bool Inside(std::int64_t v, std::int64_t start, std::int64_t length) {
  return length > 0 && v >= start && static_cast<__int128>(v) - start < length;
}

// A picture whose pixel at (column, row from the top) holds a value unique to it, in a
// heap buffer of exactly its size so that any read past it is caught.
struct TestPicture {
  int width, height;
  std::vector<std::uint8_t> bytes;
  TestPicture(int w, int h) : width(w), height(h), bytes(static_cast<std::size_t>(w) * h * 4) {
    for (int row = 0; row < h; ++row) {
      for (int column = 0; column < w; ++column) {
        const std::uint32_t value = Value(column, row);
        std::memcpy(bytes.data() + (static_cast<std::size_t>(h - 1 - row) * w + column) * 4, &value, 4);
      }
    }
  }
  static std::uint32_t Value(int column, int rowFromTop) { return 0x80000000u | (rowFromTop << 8) | column; }
  BottomUpPicture View() const { return {bytes.data(), width, height}; }
};

}  // namespace

TEST(FrameSurface, CreatesOnlySizesItCanHold) {
  struct Case {
    int width, height;
    bool made;
  } cases[] = {
      {1, 1, true},
      {64, 48, true},
      {FrameSurface::kMaxSide, 1, true},
      {0, 10, false},
      {10, 0, false},
      {-5, 10, false},
      {10, -1, false},
      {FrameSurface::kMaxSide + 1, 1, false},
      {1, FrameSurface::kMaxSide + 1, false},
      {100000, 100000, false},
  };
  for (const Case& c : cases) {
    FrameSurface surface;
    ASSERT_TRUE(surface.Create(3, 3));  // a failed Create also drops the earlier surface
    EXPECT_EQ(surface.Create(c.width, c.height), c.made) << c.width << "x" << c.height;
    EXPECT_EQ(surface.Empty(), !c.made);
    if (!c.made) {
      EXPECT_EQ(surface.Width(), 0);
      EXPECT_EQ(surface.Pixels(), nullptr);
      continue;
    }
    EXPECT_EQ(surface.Width(), c.width);
    EXPECT_EQ(surface.Height(), c.height);
    EXPECT_EQ(surface.StrideBytes(), c.width * 4);
    const std::size_t bytes = static_cast<std::size_t>(c.height) * surface.StrideBytes();
    EXPECT_EQ(std::vector<std::uint8_t>(surface.Pixels(), surface.Pixels() + bytes),
              std::vector<std::uint8_t>(bytes, 0));
  }
}

TEST(FrameSurface, FillOnesSetsEveryBitOfTheClippedRectangle) {
  struct Case {
    const char* what;
    std::int64_t x, y, width, height;
  } cases[] = {
      {"inside", 2, 1, 3, 2},
      {"whole surface", 0, 0, 8, 6},
      {"over the left and top edges", -2, -3, 4, 5},
      {"over the right and bottom edges", 6, 4, 10, 10},
      {"entirely left", -10, 0, 10, 6},
      {"entirely below", 0, 6, 8, 1},
      {"zero width", 3, 3, 0, 2},
      {"negative height", 3, 3, 2, -2},
      {"huge sizes", 5, 5, kHuge, kHuge},
      {"far left with a huge width", kHugeNegative, 2, kHuge, 1},
      {"far right", kHuge, 0, kHuge, 6},
  };
  for (const Case& c : cases) {
    FrameSurface surface;
    ASSERT_TRUE(surface.Create(8, 6));
    surface.FillOnes(c.x, c.y, c.width, c.height);
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 8; ++x) {
        const bool covered = Inside(x, c.x, c.width) && Inside(y, c.y, c.height);
        ASSERT_EQ(PixelAt(surface, x, y), covered ? 0xFFFFFFFFu : 0u) << c.what << " at " << x << "," << y;
      }
    }
  }
}

TEST(FrameSurface, PlacesPicturesUprightCutToTheirAreaAndTheSurface) {
  struct Case {
    const char* what;
    int pictureWidth, pictureHeight;
    std::int64_t x, y, width, height;
  } cases[] = {
      {"whole picture inside", 3, 2, 1, 1, 3, 2},
      {"area larger than the picture", 3, 2, 2, 2, 5, 5},
      {"area smaller than the picture", 4, 4, 1, 1, 2, 3},
      {"over the left and top edges", 4, 3, -2, -1, 4, 3},
      {"over the right and bottom edges", 4, 4, 6, 4, 4, 4},
      {"entirely outside", 2, 2, 20, 20, 2, 2},
      {"empty area", 2, 2, 1, 1, 0, 2},
      {"huge area", 3, 3, 6, 4, kHuge, kHuge},
      {"far left", 3, 3, kHugeNegative, 0, kHuge, 3},
  };
  for (const Case& c : cases) {
    const TestPicture picture(c.pictureWidth, c.pictureHeight);
    FrameSurface surface;
    ASSERT_TRUE(surface.Create(8, 6));
    surface.PlacePicture(c.x, c.y, c.width, c.height, picture.View());
    const std::int64_t shownWidth = std::min<std::int64_t>(c.width, c.pictureWidth);
    const std::int64_t shownHeight = std::min<std::int64_t>(c.height, c.pictureHeight);
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 8; ++x) {
        const bool covered = Inside(x, c.x, shownWidth) && Inside(y, c.y, shownHeight);
        const std::uint32_t expected =
            covered ? TestPicture::Value(static_cast<int>(x - c.x), static_cast<int>(y - c.y)) : 0u;
        ASSERT_EQ(PixelAt(surface, x, y), expected) << c.what << " at " << x << "," << y;
      }
    }
  }
}

TEST(FrameSurface, SetsSinglePixelsOnlyOnTheSurface) {
  const std::uint8_t red[4] = {0, 0, 255, 7};
  struct Case {
    std::int64_t x, y;
    bool lands;
  } cases[] = {
      {0, 0, true}, {7, 5, true}, {3, 2, true}, {-1, 0, false}, {8, 0, false},
      {0, 6, false}, {kHugeNegative, kHuge, false},
  };
  for (const Case& c : cases) {
    FrameSurface surface;
    ASSERT_TRUE(surface.Create(8, 6));
    surface.SetPixel(c.x, c.y, red);
    int changed = 0;
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 8; ++x) changed += PixelAt(surface, x, y) != 0;
    }
    EXPECT_EQ(changed, c.lands ? 1 : 0) << c.x << "," << c.y;
    if (c.lands) {
      EXPECT_EQ(std::memcmp(surface.Pixels() + (c.y * 8 + c.x) * 4, red, 4), 0);
    }
  }
}

TEST(FrameSurface, ClearZeroesWhatWasDrawn) {
  FrameSurface surface;
  ASSERT_TRUE(surface.Create(5, 4));
  surface.FillOnes(0, 0, 5, 4);
  surface.Clear();
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) ASSERT_EQ(PixelAt(surface, x, y), 0u);
  }
}
