// The marks over the board are told apart by shape, not by hue alone: the selection mark,
// the keyboard's cursor, the hinted cells and a failed pair's cells cover different parts
// of a cell, and each
// has a dark part and a light one, to show on light tiles and the dark ground alike.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ColourVision.h"
#include "FrameMarks.h"
#include "play/artwork/OverlayArt.h"
#include "play/artwork/TileArt.h"

namespace {

using kavelo::play::Box;
using kavelo::play::FrameMarks;

// The most two marks' pixels may share, as intersection over union.
constexpr double kMaxMarkOverlap = 0.5;

struct MarkPixels {
  std::string name;
  std::vector<bool> covered;
  int dark = 0, light = 0;  // pixels of relative luminance below 0.05, above 0.5
};

MarkPixels Painted(const std::string& name, const FrameMarks& marks, int side) {
  std::vector<char> frame(static_cast<std::size_t>(side) * side * 4, 0);
  kavelo::play::PaintMarks(frame, side, side, marks, {0, side});
  MarkPixels mark{name, {}};
  for (std::size_t i = 0; i < frame.size(); i += 4) {
    const auto byte = [&](int c) { return static_cast<unsigned char>(frame[i + c]) / 255.0f; };
    const bool painted = byte(0) > 0 || byte(1) > 0 || byte(2) > 0;
    mark.covered.push_back(painted);
    if (!painted) continue;
    const double luminance = kavelo::test::RelativeLuminance({byte(2), byte(1), byte(0), 1});
    mark.dark += luminance < 0.05;
    mark.light += luminance > 0.5;
  }
  return mark;
}

MarkPixels Selection() {
  const kavelo::artwork::Raster raster = kavelo::artwork::DrawSelectionMark();
  MarkPixels mark{"selection", {}};
  for (int y = 0; y < raster.Height(); ++y) {
    for (int x = 0; x < raster.Width(); ++x) {
      const kavelo::artwork::Colour c = raster.At(x, y);
      mark.covered.push_back(c.a > 0.5f);
      if (c.a <= 0.5f) continue;
      const double luminance = kavelo::test::RelativeLuminance({c.r / c.a, c.g / c.a, c.b / c.a, 1});
      mark.dark += luminance < 0.05;
      mark.light += luminance > 0.5;
    }
  }
  return mark;
}

double Overlap(const MarkPixels& a, const MarkPixels& b) {
  int shared = 0, either = 0;
  for (std::size_t i = 0; i < a.covered.size() && i < b.covered.size(); ++i) {
    shared += a.covered[i] && b.covered[i];
    either += a.covered[i] || b.covered[i];
  }
  return either ? static_cast<double>(shared) / either : 1;
}

class MarksAtCellSide : public ::testing::TestWithParam<int> {};

TEST_P(MarksAtCellSide, EveryTwoMarksDifferInShapeAndEachHasADarkAndALightPart) {
  const int side = GetParam();
  const Box cell{0, 0, side, side};
  std::vector<MarkPixels> marks = {Painted("cursor", FrameMarks{cell, {}, {}, {}}, side),
                                   Painted("hint", FrameMarks{{}, {cell}, {}, {}}, side),
                                   Painted("failed pair", FrameMarks{{}, {}, {}, {cell}}, side)};
  if (side == kavelo::artwork::kCellSide) marks.push_back(Selection());  // the installed mark's size
  for (std::size_t a = 0; a < marks.size(); ++a) {
    EXPECT_GT(marks[a].dark, side) << marks[a].name;
    EXPECT_GT(marks[a].light, side) << marks[a].name;
    for (std::size_t b = 0; b < a; ++b) {
      EXPECT_LE(Overlap(marks[a], marks[b]), kMaxMarkOverlap) << marks[a].name << " and " << marks[b].name;
    }
  }
  // The measure finds a mark laid on itself.
  EXPECT_EQ(Overlap(marks[0], marks[0]), 1);
}

INSTANTIATE_TEST_SUITE_P(Sides, MarksAtCellSide, ::testing::Values(24, 48, 96, 128));

}  // namespace
