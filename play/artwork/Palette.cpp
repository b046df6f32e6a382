#include "play/artwork/Palette.h"

namespace kavelo::artwork {

const std::array<Colour, kColourCount>& SymbolColours() {
  // Picked by a search over colours for the largest smallest distance (CIELAB) between
  // any two under protanopia, deuteranopia and tritanopia as well as normal vision, with
  // their lightnesses spread for greyscale; the artwork tests hold them to it.
  static const std::array<Colour, kColourCount> colours = {
      FromBytes(24, 0, 0),      // ink
      FromBytes(43, 0, 95),     // indigo
      FromBytes(196, 3, 0),     // red
      FromBytes(54, 78, 72),    // slate
      FromBytes(0, 0, 181),     // blue
      FromBytes(142, 116, 91),  // umber
  };
  return colours;
}

FaceColours FaceOf(ArtStyle style) {
  if (style == ArtStyle::kContrast) return {FromBytes(255, 255, 255), FromBytes(255, 255, 255)};
  return {FromBytes(253, 250, 242), FromBytes(236, 229, 212)};
}

TileDesign DesignOfTile(int number) {
  const int index = ((number - 1) % kTileCount + kTileCount) % kTileCount;
  return {static_cast<Symbol>(index), index % kColourCount};
}

}  // namespace kavelo::artwork
