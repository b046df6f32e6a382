#include "play/artwork/TileArt.h"

#include <utility>

#include "play/artwork/CellCanvas.h"

namespace kavelo::artwork {
namespace {

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

Shape SymbolInCell(Symbol symbol) {
  const float middle = kFaceLeft + kFaceSide / 2;
  return Place(SymbolShape(symbol), {middle, middle}, kSymbolScale);
}

void DrawFace(CellCanvas& canvas, ArtStyle style) {
  const FaceColours colours = FaceOf(style);
  const Shape face = FaceShape(0);
  if (style == ArtStyle::kContrast) {
    // A dark edge and a heavy black rim around a white face.
    canvas.Fill(FaceShape(kEdgeDepth), FromBytes(70, 70, 70));
    canvas.Fill(face, colours.top);
    canvas.Fill(Outline(Grow(face, -0.9f), 0.9f), FromBytes(0, 0, 0));
    return;
  }
  const Colour edge = FromBytes(176, 156, 118);
  canvas.Fill(FaceShape(kEdgeDepth), VerticalBlend(Lighten(edge, 0.1f), Lighten(edge, -0.25f), 0, kCellSide));
  canvas.Fill(face, VerticalBlend(colours.top, colours.bottom, kFaceLeft, kFaceLeft + kFaceSide));
  canvas.Fill(Outline(Grow(face, -0.6f), 0.6f), WithOpacity(FromBytes(160, 140, 100), 0.55f));
  // A thin light rim along the inside of the top and left edges catches the light.
  const Shape rim = Intersect(Outline(Grow(face, -1.6f), 0.5f), Shift(FaceShape(0), {2.0f, 2.0f}));
  canvas.Fill(Subtract(rim, FaceShape(1.5f)), WithOpacity(FromBytes(255, 255, 255), 0.8f));
}

void DrawSymbol(CellCanvas& canvas, const TileDesign& design, ArtStyle style) {
  const Colour base = SymbolColours()[static_cast<std::size_t>(design.colour) % kColourCount];
  const Shape symbol = SymbolInCell(design.symbol);
  if (style == ArtStyle::kContrast) {
    // Flat ink inside a black outline as heavy as the face's rim.
    canvas.Fill(symbol, base);
    canvas.Fill(Outline(Grow(symbol, -0.8f), 0.8f), FromBytes(0, 0, 0));
    return;
  }
  const float middle = kFaceLeft + kFaceSide / 2;
  const float top = middle - kSymbolScale;
  const float bottom = middle + kSymbolScale;
  canvas.FillSoft(Shift(Grow(symbol, -0.5f), {0.8f, 1.4f}), [](Vec2) { return WithOpacity(FromBytes(60, 44, 20), 0.32f); }, 2.2f);
  canvas.Fill(symbol, VerticalBlend(Lighten(base, 0.14f), Lighten(base, -0.12f), top, bottom));
  // A faint gloss over the upper part, inside the outline, light enough to keep the ink dark.
  const Shape gloss = Intersect(Grow(symbol, -2.0f), [top, middle](Vec2 p) { return p.y - (top + middle) / 2 - 2; });
  canvas.Fill(gloss, VerticalBlend(WithOpacity({1, 1, 1, 1}, 0.16f), WithOpacity({1, 1, 1, 1}, 0.02f), top, middle));
  canvas.Fill(Outline(Grow(symbol, -0.55f), 0.55f), Lighten(base, -0.5f));
}

}  // namespace

Raster DrawTileFace(int side, ArtStyle style) {
  CellCanvas canvas(side, side, side);
  DrawFace(canvas, style);
  return canvas.Take();
}

Raster DrawTileOn(Raster face, const TileDesign& design, ArtStyle style) {
  const int side = face.Width();
  CellCanvas canvas(std::move(face), side);
  DrawSymbol(canvas, design, style);
  return canvas.Take();
}

Raster DrawTile(const TileDesign& design, int side, ArtStyle style) {
  return DrawTileOn(DrawTileFace(side, style), design, style);
}

Shape SymbolOnTile(Symbol symbol, int side) {
  return Place(SymbolInCell(symbol), {0, 0}, static_cast<float>(side) / kCellSide);
}

Shape FaceOnTile(int side) { return Place(FaceShape(0), {0, 0}, static_cast<float>(side) / kCellSide); }

}  // namespace kavelo::artwork
