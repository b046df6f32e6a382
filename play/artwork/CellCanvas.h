#pragma once
// Paints in cell units, 0 .. kCellSide across, onto a raster of any size, so that one
// drawing serves the board's cells at every size and the program's icons alike.

#include <utility>

#include "play/artwork/Raster.h"

namespace kavelo::artwork {

// The side of a board cell in the units pictures are drawn in: tiles, trail frames and
// the selection mark all fill one cell, and a picture of this side is drawn one unit a pixel.
constexpr int kCellSide = 48;

class CellCanvas {
 public:
  // A transparent raster of `width` x `height` pixels, `side` pixels to the cell.
  CellCanvas(int width, int height, int side)
      : m_raster(width, height), m_scale(static_cast<float>(side) / kCellSide) {}
  // Paints over `raster`, `side` pixels to the cell.
  CellCanvas(Raster raster, int side) : m_raster(std::move(raster)), m_scale(static_cast<float>(side) / kCellSide) {}

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

}  // namespace kavelo::artwork
