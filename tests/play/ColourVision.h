#pragma once
// Colour as players see it, for the tests of the artwork: sRGB to linear light, a
// deficient viewer's view of it (Machado, Oliveira and Fernandes 2009, full severity),
// CIELAB for distances, and WCAG's relative luminance and contrast ratio.

#include <array>

#include "play/artwork/Colour.h"

namespace kavelo::test {

enum class Vision { kNormal, kProtanopia, kDeuteranopia, kTritanopia };
inline constexpr std::array<Vision, 4> kVisions = {Vision::kNormal, Vision::kProtanopia, Vision::kDeuteranopia,
                                                   Vision::kTritanopia};
const char* VisionName(Vision vision);

struct Lab {
  double l, a, b;
};

// The colour as a viewer with `vision` sees it, in CIELAB (D65).
Lab SeenAs(const artwork::Colour& srgb, Vision vision);
// The CIE 1976 distance between two colours.
double Distance(const Lab& x, const Lab& y);
// WCAG 2 relative luminance of an sRGB colour (straight, opacity ignored).
double RelativeLuminance(const artwork::Colour& srgb);
// WCAG 2 contrast ratio of two relative luminances, 1 to 21.
double ContrastRatio(double luminanceA, double luminanceB);

}  // namespace kavelo::test
