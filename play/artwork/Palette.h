#pragma once
// The colours of the tile symbols and which symbol and colour each tile kind gets.

#include <array>

#include "play/artwork/Colour.h"
#include "play/artwork/SymbolCatalogue.h"

namespace kavelo::artwork {

// Saturated hues in order around the colour wheel, each clearly apart from its neighbours.
constexpr int kHueCount = 12;
const std::array<Colour, kHueCount>& SymbolHues();

struct TileDesign {
  Symbol symbol;
  int hue;  // index into SymbolHues()
};

// The number of tile pictures the generator draws: every symbol twice, in hues half the
// wheel apart, so that two tiles with one symbol still differ at a glance.
constexpr int kTileCount = 2 * kSymbolCount;

// The design of tile `number`, 1 .. kTileCount (others wrap around into that range).
TileDesign DesignOfTile(int number);

}  // namespace kavelo::artwork
