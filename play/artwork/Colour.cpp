#include "play/artwork/Colour.h"

#include <algorithm>

namespace kavelo::artwork {

Colour FromBytes(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return {static_cast<float>(r) / 255.0f, static_cast<float>(g) / 255.0f, static_cast<float>(b) / 255.0f, 1};
}

Colour Mix(Colour a, Colour b, float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Colour Lighten(Colour c, float amount) {
  const Colour target = amount >= 0 ? Colour{1, 1, 1, c.a} : Colour{0, 0, 0, c.a};
  return Mix(c, target, amount >= 0 ? amount : -amount);
}

Colour WithOpacity(Colour c, float a) {
  c.a = std::clamp(a, 0.0f, 1.0f);
  return c;
}

}  // namespace kavelo::artwork
