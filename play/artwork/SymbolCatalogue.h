#pragma once
// The symbols that tell tile kinds apart. Each is a shape in its own unit space: centred
// on the origin, about two units across, y growing downward. Shapes differ enough in
// outline that two of them are told apart at a glance even in one colour: their filled
// areas overlap little when laid on each other.

#include <string_view>

#include "play/artwork/Geometry.h"

namespace kavelo::artwork {

enum class Symbol {
  kCircle,
  kSquare,
  kDiamond,
  kTriangle,
  kStar,
  kHexagon,
  kPlus,
  kHeart,
  kRing,
  kCrescent,
  kDrop,
  kSparkle,
  kFlower,
  kBolt,
  kArrow,
  kSaltire,
  kHourglass,
  kFrame,
  kClover,
  kLeaf,
  kGear,
  kTriangleDown,
  kBowtie,
  kHexagram,
  kPill,
  kBars,
  kDots3,
  kDots4,
  kChecker,
  kDome,
  kChevron,
  kTee,
  kEll,
  kAitch,
  kTarget,
  kTriangleOutline,
  kDiamondOutline,
  kZigzag,
  kDumbbell,
  kCrown,
  kHouse,
  kFish,
};
// Every tile kind has a symbol of its own, so that kinds differ by outline and not by colour alone.
constexpr int kSymbolCount = 42;

Shape SymbolShape(Symbol symbol);
std::string_view SymbolName(Symbol symbol);

}  // namespace kavelo::artwork
