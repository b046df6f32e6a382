#include <gtest/gtest.h>

#include <climits>

#include "image/DeclaredSize.h"
#include "image/Himetric.h"
#include "image/OlePicture.h"
#include "image/PictureLoadCodes.h"
#include "tests/image/PictureFiles.h"

using namespace kavelo::image;
using namespace kavelo::image::test;

TEST(ImageSize, HimetricTurnsIntoPixelsRoundedToTheNearest) {
  const struct Case {
    int value, numerator, denominator, result;
  } cases[] = {
      {2540, 96, 2540, 96},  // an inch
      {1270, 96, 2540, 48},
      {847, 96, 2540, 32},   // 32.01
      {846, 96, 2540, 32},   // 31.98
      {13, 96, 2540, 0},     // 0.49
      {14, 96, 2540, 1},     // 0.53
      {2540, 192, 2540, 192},
      {0, 96, 2540, 0},
      {1, 1, 2, 1},          // halves round away from zero
      {-1, 1, 2, -1},
      {3, 1, -2, -2},
      {-3, -1, 2, 2},
      {7, 5, 0, -1},         // no denominator
      {INT_MAX, 2, 1, -1},   // does not fit
      {INT_MAX, 2, 2, INT_MAX},  // the product may exceed 32 bits on the way
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MulDivRound(c.value, c.numerator, c.denominator), c.result)
        << c.value << " * " << c.numerator << " / " << c.denominator;
  }
  EXPECT_EQ(HimetricToPixels(2540, kDisplayPixelsPerInch), 96);
  EXPECT_EQ(HimetricToPixels(1270, kDisplayPixelsPerInch), 48);
  EXPECT_EQ(HimetricToPixels(847, kDisplayPixelsPerInch), 32);
}

TEST(ImageSize, EveryPictureSideSurvivesTheTripThroughHimetric) {
  for (int side = 1; side <= kMaxPictureSide; ++side) {
    ASSERT_EQ(HimetricToPixels(PixelsToHimetric(side, kDisplayPixelsPerInch), kDisplayPixelsPerInch), side);
  }
}

TEST(ImageSize, APictureMeasuresItselfInHimetricAndEachDeviceInItsOwnPixels) {
  const struct Case {
    int width, height;
    int himetricWidth, himetricHeight;
    PictureDevice device;
    int deviceWidth, deviceHeight;
  } cases[] = {
      {96, 48, 2540, 1270, {}, 96, 48},
      {32, 32, 847, 847, {}, 32, 32},
      {32, 32, 847, 847, {192, 48}, 64, 16},
      {1, 3, 26, 79, {}, 1, 3},
  };
  ScratchFolder folder;
  COlePicture picture;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    ASSERT_TRUE(WritePng(Gradient(c.width, c.height), folder.Path("picture.png")));
    ASSERT_EQ(picture.Load(folder.WidePath("picture.png")), kPictureLoaded);
    EXPECT_EQ(picture.GetHimetricWidth(), c.himetricWidth);
    EXPECT_EQ(picture.GetHimetricHeight(), c.himetricHeight);
    EXPECT_EQ(picture.GetWidth(c.device), c.deviceWidth);
    EXPECT_EQ(picture.GetHeight(c.device), c.deviceHeight);
    picture.Free();
    EXPECT_EQ(picture.GetWidth(c.device), 0);
    EXPECT_EQ(picture.GetHimetricHeight(), 0);
  }
}

TEST(ImageSize, RenderStretchesThePictureAndDrawsOnlyWhatFallsOnTheBitmap) {
  // A 2 x 2 picture (red, green / blue, white) rendered into a 4 x 4 bitmap; each case
  // lists the bitmap's rows as letters: r g b w for the colours, . for untouched.
  const struct Case {
    PictureRect rect;
    const char* rows[4];
  } cases[] = {
      {{0, 0, 2, 2}, {"rg..", "bw..", "....", "...."}},
      {{0, 0, 4, 4}, {"rrgg", "rrgg", "bbww", "bbww"}},
      {{-2, -2, 2, 2}, {"ww..", "ww..", "....", "...."}},
      {{1, 2, 5, 6}, {"....", "....", ".rrg", ".rrg"}},
      {{0, 0, 4, 1}, {"rrgg", "....", "....", "...."}},
      {{0, 0, 1, 4}, {"r...", "r...", "b...", "b..."}},
      {{3, 3, 1, 1}, {"....", "....", "....", "...."}},  // reversed: nothing
      // The bitmap lies just past the middle of a vast rectangle: the white quarter.
      {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {"wwww", "wwww", "wwww", "wwww"}},
  };
  const TestPicture source{2, 2, {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 255, 255}}};
  ScratchFolder folder;
  ASSERT_TRUE(WritePng(source, folder.Path("four.png")));
  COlePicture picture;
  CPictureBitmap target;
  EXPECT_EQ(picture.Render(target, {0, 0, 4, 4}), -1) << "nothing held";
  ASSERT_EQ(picture.Load(folder.WidePath("four.png")), kPictureLoaded);
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.rect.left << ", " << c.rect.top << ", " << c.rect.right << ", " << c.rect.bottom);
    ASSERT_TRUE(target.Create(4, 4));
    EXPECT_EQ(picture.Render(target, c.rect), 0);
    for (int y = 0; y < 4; ++y) {
      std::string row;
      for (int x = 0; x < 4; ++x) {
        const std::uint8_t* p = target.Row(y) + 4 * x;
        const bool red = p[2] == 255, green = p[1] == 255, blue = p[0] == 255;
        row += p[3] == 0 ? '.' : red && green && blue ? 'w' : red ? 'r' : green ? 'g' : blue ? 'b' : '?';
      }
      EXPECT_EQ(row, c.rows[y]) << "row " << y;
    }
  }
}
