#include "play/artwork/TileArt.h"

#include <utility>

namespace kavelo::artwork {
namespace {

// Paints in cell units, 0 .. kCellSide across, onto a square raster of any side, so one
// drawing serves the board's cells and the program's icons alike.
class CellCanvas {
 public:
  explicit CellCanvas(int side) : m_raster(side, side), m_scale(static_cast<float>(side) / kCellSide) {}

  void Fill(const Shape& shape, const Paint& paint) { m_raster.Fill(Scaled(shape), Scaled(paint)); }
  void Fill(const Shape& shape, Colour colour) { m_raster.Fill(Scaled(shape), colour); }
  void FillSoft(const Shape& shape, const Paint& paint, float softness) {
    m_raster.FillSoft(Scaled(shape), Scaled(paint), softness * m_scale);
  }
  Raster Take() { return std::move(m_raster); }

 private:
  Shape Scaled(const Shape& shape) const { return Place(shape, {0, 0}, m_scale); }
  Paint Scaled(const Paint& paint) const {
    return [paint, unit = 1 / m_scale](Vec2 p) { return paint(p * unit); };
  }

  Raster m_raster;
  float m_scale;
};

// The face leaves a one-pixel gap at the top and left and a raised edge at the bottom
// and right, so neighbouring tiles on the board stay apart.
constexpr float kFaceLeft = 1;
constexpr float kFaceSide = 44;
constexpr float kEdgeDepth = 2.5f;
constexpr float kCornerRadius = 6;
// Pixels per symbol unit: the symbol spans about 31 of the face's 44 pixels.
constexpr float kSymbolScale = 15.5f;

Shape FaceShape(float offset) {
  const float half = kFaceSide / 2;
  const Vec2 centre{kFaceLeft + half + offset, kFaceLeft + half + offset};
  return [centre, half](Vec2 p) { return RoundedBoxDistance(p - centre, {half, half}, kCornerRadius); };
}

// A vertical blend from `top` at row y0 to `bottom` at row y1.
Paint VerticalBlend(Colour top, Colour bottom, float y0, float y1) {
  return [top, bottom, y0, y1](Vec2 p) { return Mix(top, bottom, (p.y - y0) / (y1 - y0)); };
}

void DrawFace(CellCanvas& canvas) {
  const Colour edge = FromBytes(176, 156, 118);
  canvas.Fill(FaceShape(kEdgeDepth), VerticalBlend(Lighten(edge, 0.1f), Lighten(edge, -0.25f), 0, kCellSide));
  const Shape face = FaceShape(0);
  canvas.Fill(face, VerticalBlend(FromBytes(253, 250, 242), FromBytes(230, 222, 202), kFaceLeft, kFaceLeft + kFaceSide));
  canvas.Fill(Outline(Grow(face, -0.6f), 0.6f), WithOpacity(FromBytes(160, 140, 100), 0.55f));
  // A thin light rim along the inside of the top and left edges catches the light.
  const Shape rim = Intersect(Outline(Grow(face, -1.6f), 0.5f), Shift(FaceShape(0), {2.0f, 2.0f}));
  canvas.Fill(Subtract(rim, FaceShape(1.5f)), WithOpacity(FromBytes(255, 255, 255), 0.8f));
}

void DrawSymbol(CellCanvas& canvas, const TileDesign& design) {
  const Colour base = SymbolHues()[static_cast<std::size_t>(design.hue)];
  const float middle = kFaceLeft + kFaceSide / 2;
  const Shape symbol = Place(SymbolShape(design.symbol), {middle, middle}, kSymbolScale);
  const float top = middle - kSymbolScale;
  const float bottom = middle + kSymbolScale;

  canvas.FillSoft(Shift(Grow(symbol, -0.5f), {0.8f, 1.4f}), [](Vec2) { return WithOpacity(FromBytes(60, 44, 20), 0.32f); }, 2.2f);
  canvas.Fill(symbol, VerticalBlend(Lighten(base, 0.3f), Lighten(base, -0.18f), top, bottom));
  // A soft gloss over the upper part, inside the outline.
  const Shape gloss = Intersect(Grow(symbol, -2.0f), [top, middle](Vec2 p) { return p.y - (top + middle) / 2 - 2; });
  canvas.Fill(gloss, VerticalBlend(WithOpacity({1, 1, 1, 1}, 0.45f), WithOpacity({1, 1, 1, 1}, 0.05f), top, middle));
  canvas.Fill(Outline(Grow(symbol, -0.55f), 0.55f), Lighten(base, -0.5f));
}

}  // namespace

Raster DrawTile(const TileDesign& design, int side) {
  CellCanvas canvas(side);
  DrawFace(canvas);
  DrawSymbol(canvas, design);
  return canvas.Take();
}

}  // namespace kavelo::artwork
