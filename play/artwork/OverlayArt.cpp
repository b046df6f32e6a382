#include "play/artwork/OverlayArt.h"

#include <algorithm>
#include <cmath>

#include "play/artwork/CellCanvas.h"

namespace kavelo::artwork {
namespace {

// Each trail frame keeps this share of the previous one's brightness.
constexpr float kTrailFade = 0.78f;

// A rounded square centred on the cell, `half` pixels from its centre to each side.
Shape CellBlob(float half, float radius) {
  const Vec2 centre{kCellSide / 2.0f, kCellSide / 2.0f};
  return [=](Vec2 p) { return RoundedBoxDistance(p - centre, {half, half}, radius); };
}

}  // namespace

Raster DrawTrailFrame(int frame, int side) {
  frame = std::clamp(frame, 1, kTrailFrameCount);
  const float age = static_cast<float>(frame - 1) / static_cast<float>(kTrailFrameCount - 1);
  const float brightness = std::pow(kTrailFade, static_cast<float>(frame - 1));
  CellCanvas raster(side, side, side);
  // A glow that fills the cell and reaches the middle of each side, so the cells of a
  // path merge into one band, while the corners stay dark; it shrinks as it fades.
  const float shrink = 3.0f * age;
  const auto glow = [brightness](Colour c, float strength) {
    return [c, strength, brightness](Vec2) { return WithOpacity(c, strength * brightness); };
  };
  raster.FillSoft(CellBlob(22.0f - shrink, 12.0f), glow(FromBytes(255, 150, 30), 0.85f), 6.0f);
  raster.FillSoft(CellBlob(15.0f - shrink, 10.0f), glow(FromBytes(255, 214, 90), 1.0f), 6.0f);
  raster.FillSoft([](Vec2 p) { return CircleDistance(p - Vec2{kCellSide / 2.0f, kCellSide / 2.0f}, 6.0f); },
                  glow(FromBytes(255, 252, 230), 1.0f), 5.0f);
  return raster.Take();
}

Raster DrawSelectionMark(int side) {
  CellCanvas raster(side, side, side);
  const float half = kCellSide / 2.0f;
  const Vec2 centre{half, half};
  // A band all round the cell: deep blue outside, bright cyan inside, so that it shows on
  // the light tiles and on the dark ground, and differs in shape from the keyboard's
  // corner brackets and the hint's wedges.
  const Shape outer = [=](Vec2 p) { return RoundedBoxDistance(p - centre, {half - 0.5f, half - 0.5f}, 9.0f); };
  const Shape middle = [=](Vec2 p) { return RoundedBoxDistance(p - centre, {half - 3.0f, half - 3.0f}, 7.5f); };
  const Shape inner = [=](Vec2 p) { return RoundedBoxDistance(p - centre, {half - 5.5f, half - 5.5f}, 6.0f); };
  raster.Fill(Subtract(outer, middle), FromBytes(12, 40, 150));
  raster.Fill(Subtract(middle, inner), FromBytes(110, 236, 255));
  return raster.Take();
}

Raster DrawTimeBar(int side) {
  CellCanvas raster(kTimeBarWidth * side / kCellSide, kTimeBarHeight * side / kCellSide, side);
  const Colour red = FromBytes(220, 44, 32);
  const Colour yellow = FromBytes(246, 204, 36);
  const Colour green = FromBytes(52, 186, 72);
  const float width = static_cast<float>(kTimeBarWidth);
  const float height = static_cast<float>(kTimeBarHeight);
  const auto hueAt = [=](float x) {
    const float t = x / width;
    return t < 0.5f ? Mix(red, yellow, t * 2) : Mix(yellow, green, t * 2 - 1);
  };
  const Shape whole = [=](Vec2 p) { return RoundedBoxDistance(p - Vec2{width / 2, height / 2}, {width / 2, height / 2}, 0); };
  // Darker border, then the body shaded from a light top to a deeper bottom.
  raster.Fill(whole, [=](Vec2 p) { return Lighten(hueAt(p.x), -0.45f); });
  const Shape body = Grow(whole, -1.0f);
  raster.Fill(body, [=](Vec2 p) {
    const float t = (p.y - 1) / (height - 2);
    return Lighten(hueAt(p.x), t < 0.4f ? 0.45f * (0.4f - t) / 0.4f : -0.2f * (t - 0.4f) / 0.6f);
  });
  return raster.Take();
}

}  // namespace kavelo::artwork
