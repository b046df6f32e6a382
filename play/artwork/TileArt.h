#pragma once
// Tile pictures: a light tile face with a raised edge, and the kind's symbol on it, in
// either style. Everything outside the face stays unpainted, which becomes the key colour.

#include "play/artwork/CellCanvas.h"
#include "play/artwork/Palette.h"
#include "play/artwork/Raster.h"

namespace kavelo::artwork {

// The tile on a square of `side` pixels, drawn at that size rather than scaled from the cell's.
// A set of tiles shares one face: DrawTileOn paints a kind's symbol on a copy of it.
Raster DrawTileFace(int side, ArtStyle style);
Raster DrawTileOn(Raster face, const TileDesign& design, ArtStyle style);
Raster DrawTile(const TileDesign& design, int side = kCellSide, ArtStyle style = ArtStyle::kStandard);
// Where the symbol lies on a tile of `side` pixels, in the tile's pixel coordinates.
Shape SymbolOnTile(Symbol symbol, int side);
// Where the face lies on a tile of `side` pixels, its raised edge left out.
Shape FaceOnTile(int side);

}  // namespace kavelo::artwork
