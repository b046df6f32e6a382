#pragma once
// What kavelo-play paints over the plug-in's frame: the keyboard's cell, the hinted pair,
// the pair that just failed and a banner (paused, won, lost, stuck). Painting is clipped to a band of rows, so that
// a frame is repainted only where it changed.

#include <optional>
#include <string>
#include <vector>

namespace kavelo::play {

struct Box {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Box&) const = default;
};

struct Colour {
  unsigned char r = 0, g = 0, b = 0;
  bool operator==(const Colour&) const = default;
};

// A band across the frame: the title large in its colour, a line of help below it.
struct Banner {
  std::string title;
  Colour colour;
  std::string line;
  bool operator==(const Banner&) const = default;
};

// Rows [first, first + count) of a frame.
struct RowBand {
  int first = 0, count = 0;
  bool Empty() const { return count <= 0; }
  int End() const { return first + count; }
  RowBand Union(RowBand other) const;
  bool operator==(const RowBand&) const = default;
};

struct FrameMarks {
  std::optional<Box> cursor;
  std::vector<Box> hints;
  std::optional<Banner> banner;
  std::vector<Box> misses;  // the cells of a pair that did not link, for a moment
  bool operator==(const FrameMarks&) const = default;
  // The rows the marks cover in a frame `height` rows high.
  RowBand Rows(int height) const;
};

// Where the banner lies in a frame of that size.
Box BannerBox(int frameWidth, int frameHeight);

// Paints `marks` over a 32-bit frame (blue, green, red, alpha; rows top-down), touching
// only the rows of `clip`. A frame smaller than its sides say is left alone.
void PaintMarks(std::vector<char>& frame, int width, int height, const FrameMarks& marks, RowBand clip);

}  // namespace kavelo::play
