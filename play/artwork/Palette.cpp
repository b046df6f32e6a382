#include "play/artwork/Palette.h"

namespace kavelo::artwork {

const std::array<Colour, kHueCount>& SymbolHues() {
  static const std::array<Colour, kHueCount> hues = {
      FromBytes(222, 38, 38),    // red
      FromBytes(246, 128, 20),   // orange
      FromBytes(238, 196, 12),   // yellow
      FromBytes(128, 196, 26),   // lime
      FromBytes(24, 150, 56),    // green
      FromBytes(18, 160, 148),   // teal
      FromBytes(28, 164, 228),   // sky
      FromBytes(36, 74, 214),    // blue
      FromBytes(112, 56, 206),   // violet
      FromBytes(190, 44, 186),   // magenta
      FromBytes(240, 100, 156),  // pink
      FromBytes(128, 78, 38),    // brown
  };
  return hues;
}

namespace {

// Hue names for the table below: indexes into SymbolHues().
enum Hue { kRed, kOrange, kYellow, kLime, kGreen, kTeal, kSky, kBlue, kViolet, kMagenta, kPink, kBrown };

struct SymbolHue {
  Symbol symbol;
  Hue first;  // the second tile with the symbol takes the hue half the wheel away
};

// Chosen by eye: symbols of like outline (the round ones, the square ones, the two
// stars, the two crosses, the pointed ones) take hues apart from each other, and each
// hue serves three or four tiles.
constexpr SymbolHue kSymbolHues[kSymbolCount] = {
    {Symbol::kCircle, kRed},     {Symbol::kSquare, kBrown},  {Symbol::kDiamond, kBlue},
    {Symbol::kTriangle, kGreen}, {Symbol::kStar, kViolet},   {Symbol::kHexagon, kMagenta},
    {Symbol::kPlus, kSky},       {Symbol::kHeart, kMagenta}, {Symbol::kRing, kPink},
    {Symbol::kCrescent, kYellow}, {Symbol::kDrop, kSky},     {Symbol::kSparkle, kTeal},
    {Symbol::kFlower, kYellow},  {Symbol::kBolt, kRed},      {Symbol::kArrow, kOrange},
    {Symbol::kSaltire, kLime},   {Symbol::kHourglass, kBrown}, {Symbol::kFrame, kViolet},
    {Symbol::kClover, kPink},    {Symbol::kLeaf, kGreen},    {Symbol::kGear, kOrange},
};

}  // namespace

TileDesign DesignOfTile(int number) {
  const int index = ((number - 1) % kTileCount + kTileCount) % kTileCount;
  const SymbolHue& entry = kSymbolHues[index % kSymbolCount];
  const int round = index / kSymbolCount;
  return {entry.symbol, (entry.first + round * (kHueCount / 2)) % kHueCount};
}

}  // namespace kavelo::artwork
