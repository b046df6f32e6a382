#pragma once
// The colours of the tiles and which symbol and colour each tile kind gets, in either
// style: the standard one, ink-coloured symbols on cream faces with a raised edge, and the
// contrast one, the same inks with heavy black outlines on white faces.

#include <array>

#include "play/artwork/Colour.h"
#include "play/artwork/SymbolCatalogue.h"

namespace kavelo::artwork {

enum class ArtStyle { kStandard, kContrast };

// Symbol colours that stay apart for players with any of the three common colour-vision
// deficiencies and in greyscale, and that are dark enough to stand out from either
// style's face. Colour is the second cue: kinds differ by symbol first.
constexpr int kColourCount = 6;
const std::array<Colour, kColourCount>& SymbolColours();

// The face of a tile, lightest at the top and darkest at the bottom.
struct FaceColours {
  Colour top;
  Colour bottom;
};
FaceColours FaceOf(ArtStyle style);

struct TileDesign {
  Symbol symbol;
  int colour;  // index into SymbolColours()
};

// The number of tile pictures the generator draws: one for each symbol.
constexpr int kTileCount = kSymbolCount;

// The design of tile `number`, 1 .. kTileCount (others wrap around into that range).
TileDesign DesignOfTile(int number);

}  // namespace kavelo::artwork
