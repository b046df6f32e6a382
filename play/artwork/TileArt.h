#pragma once
// Tile pictures: a light tile face with a raised edge, and the kind's symbol on it.
// Everything outside the face stays unpainted, which becomes the key colour.

#include "play/artwork/Palette.h"
#include "play/artwork/Raster.h"

namespace kavelo::artwork {

// The side of a board cell in pixels: tiles, trail frames and the selection mark all fill one cell.
constexpr int kCellSide = 48;

Raster DrawTile(const TileDesign& design);

}  // namespace kavelo::artwork
