#pragma once
// A picture being painted: floating-point pixels, premultiplied by their opacity, so that
// a pixel's colour channels are at once its colour composited over black. Shapes are
// painted with anti-aliased edges, each pixel covered as far as its centre lies inside.

#include <cstdint>
#include <functional>
#include <vector>

#include "play/artwork/Colour.h"
#include "play/artwork/Geometry.h"

namespace kavelo::artwork {

// Larger than any picture the generator makes; keeps a bad size from exhausting memory.
constexpr int kMaxRasterSide = 4096;

// The colour to paint at a point (a pixel centre), opacity included.
using Paint = std::function<Colour(Vec2)>;

// The share of pixel (x, y), the unit square from (x, y) to (x + 1, y + 1), that lies
// inside `shape`, from the distance at its centre: an outline that crosses the pixel is
// taken as straight there, which one distance per pixel measures well enough for
// anti-aliasing and costs a sixty-fourth of sampling the pixel eight by eight.
float Coverage(const Shape& shape, int x, int y);

class Raster {
 public:
  // A transparent picture; sides are clamped to 0 .. kMaxRasterSide.
  Raster(int width, int height);

  int Width() const { return m_width; }
  int Height() const { return m_height; }

  // Paints over the picture where `shape` covers it.
  void Fill(const Shape& shape, const Paint& paint);
  void Fill(const Shape& shape, Colour colour);
  // Paints with a soft edge: full strength inside, fading to nothing `softness` pixels
  // outside the outline; for glows and shadows.
  void FillSoft(const Shape& shape, const Paint& paint, float softness);

  // The premultiplied pixel; a transparent one outside the picture.
  Colour At(int x, int y) const;

  // Three bytes (red, green, blue) per pixel, top row first: the picture composited
  // over black. Pixels nothing was painted on are pure black, the key colour; every
  // painted pixel has at least one nonzero byte, so a dark colour never turns into the
  // key colour by rounding.
  std::vector<std::uint8_t> KeyedRgb() const;
  // Four bytes (red, green, blue, opacity) per pixel, top row first, colours not
  // premultiplied: for pictures shown over any background, such as icons.
  std::vector<std::uint8_t> Rgba() const;

 private:
  void Blend(int x, int y, Colour colour, float strength);
  // Calls perPixel(x, y, inside) for every pixel of the blocks that reach within `margin`
  // of the shape; `inside` tells that the pixel's whole block lies inside it.
  template <typename PerPixel>
  void ForEachBlock(const Shape& shape, float margin, PerPixel&& perPixel);

  int m_width;
  int m_height;
  std::vector<Colour> m_pixels;  // premultiplied, row by row from the top
};

}  // namespace kavelo::artwork
