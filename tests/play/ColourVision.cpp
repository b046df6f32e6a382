#include "ColourVision.h"

#include <algorithm>
#include <cmath>

namespace kavelo::test {
namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

// Machado, Oliveira and Fernandes (2009), severity 1.0, applied to linear RGB.
constexpr Matrix kProtanopia = {{{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216},
                                 {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix kDeuteranopia = {{{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413},
                                   {-0.011820, 0.042940, 0.968881}}};
constexpr Matrix kTritanopia = {{{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602},
                                 {0.004733, 0.691367, 0.303900}}};

double Linear(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }

double LabCurve(double t) { return t > 216.0 / 24389.0 ? std::cbrt(t) : (24389.0 / 27.0 * t + 16) / 116; }

}  // namespace

const char* VisionName(Vision vision) {
  switch (vision) {
    case Vision::kNormal: return "normal vision";
    case Vision::kProtanopia: return "protanopia";
    case Vision::kDeuteranopia: return "deuteranopia";
    case Vision::kTritanopia: return "tritanopia";
  }
  return "?";
}

Lab SeenAs(const artwork::Colour& srgb, Vision vision) {
  std::array<double, 3> rgb = {Linear(srgb.r), Linear(srgb.g), Linear(srgb.b)};
  const Matrix* m = vision == Vision::kProtanopia     ? &kProtanopia
                    : vision == Vision::kDeuteranopia ? &kDeuteranopia
                    : vision == Vision::kTritanopia   ? &kTritanopia
                                                      : nullptr;
  if (m) {
    std::array<double, 3> seen{};
    for (int i = 0; i < 3; ++i) seen[i] = std::clamp((*m)[i][0] * rgb[0] + (*m)[i][1] * rgb[1] + (*m)[i][2] * rgb[2], 0.0, 1.0);
    rgb = seen;
  }
  const double x = (0.4124 * rgb[0] + 0.3576 * rgb[1] + 0.1805 * rgb[2]) / 0.95047;
  const double y = 0.2126 * rgb[0] + 0.7152 * rgb[1] + 0.0722 * rgb[2];
  const double z = (0.0193 * rgb[0] + 0.1192 * rgb[1] + 0.9505 * rgb[2]) / 1.08883;
  const double fx = LabCurve(x), fy = LabCurve(y), fz = LabCurve(z);
  return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double Distance(const Lab& x, const Lab& y) { return std::hypot(x.l - y.l, x.a - y.a, x.b - y.b); }

double RelativeLuminance(const artwork::Colour& srgb) {
  return 0.2126 * Linear(srgb.r) + 0.7152 * Linear(srgb.g) + 0.0722 * Linear(srgb.b);
}

double ContrastRatio(double luminanceA, double luminanceB) {
  return (std::max(luminanceA, luminanceB) + 0.05) / (std::min(luminanceA, luminanceB) + 0.05);
}

}  // namespace kavelo::test
