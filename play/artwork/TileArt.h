#pragma once
// Tile pictures: a light tile face with a raised edge, and the kind's symbol on it.
// Everything outside the face stays unpainted, which becomes the key colour.

#include "play/artwork/Palette.h"
#include "play/artwork/Raster.h"

namespace kavelo::artwork {

// The side of a board cell in pixels: tiles, trail frames and the selection mark all fill one cell.
constexpr int kCellSide = 48;

// The tile on a square of `side` pixels, drawn at that size rather than scaled from the cell's.
Raster DrawTile(const TileDesign& design, int side = kCellSide);

}  // namespace kavelo::artwork
