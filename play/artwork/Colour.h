#pragma once
// Colours as the painter uses them: straight (not premultiplied) red, green, blue and
// opacity, each from 0 to 1.

#include <cstdint>

namespace kavelo::artwork {

struct Colour {
  float r = 0;
  float g = 0;
  float b = 0;
  float a = 1;
};

Colour FromBytes(std::uint8_t r, std::uint8_t g, std::uint8_t b);
// From a to b as t runs from 0 to 1 (t is clamped), opacity included.
Colour Mix(Colour a, Colour b, float t);
// Toward white for amount > 0, toward black for amount < 0 (amount in -1..1).
Colour Lighten(Colour c, float amount);
Colour WithOpacity(Colour c, float a);

}  // namespace kavelo::artwork
