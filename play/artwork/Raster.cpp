#include "play/artwork/Raster.h"

#include <algorithm>
#include <cmath>

namespace kavelo::artwork {
namespace {

// A pixel whose centre lies farther than this from the outline lies wholly on one side
// of it (half the pixel's diagonal, rounded up).
constexpr float kEdgeReach = 0.75f;
// Opacity below which a pixel counts as unpainted when keyed (invisible over black anyway).
constexpr float kUnpaintedOpacity = 1.0f / 512.0f;
// Pictures are painted in square blocks of this many pixels a side: one distance at a
// block's centre tells when the whole block lies inside or outside a shape, as a shape's
// distance never overstates how far its outline is.
constexpr int kBlock = 8;
const float kBlockReach = kBlock * 0.7072f + kEdgeReach;  // half the block's diagonal, and a pixel's reach

// Where the block at (x0, y0) lies against a shape: wholly outside beyond `margin`,
// wholly inside, or across the outline.
enum class BlockSide { kOutside, kInside, kAcross };
BlockSide SideOfBlock(const Shape& shape, int x0, int y0, float margin) {
  const float d = shape({static_cast<float>(x0) + kBlock / 2.0f, static_cast<float>(y0) + kBlock / 2.0f});
  if (d > kBlockReach + margin) return BlockSide::kOutside;
  if (d < -kBlockReach) return BlockSide::kInside;
  return BlockSide::kAcross;
}

std::uint8_t ToByte(float v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }

}  // namespace

float Coverage(const Shape& shape, int x, int y) {
  const float d = shape({static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f});
  return std::clamp(0.5f - d, 0.0f, 1.0f);
}

Raster::Raster(int width, int height)
    : m_width(std::clamp(width, 0, kMaxRasterSide)),
      m_height(std::clamp(height, 0, kMaxRasterSide)),
      m_pixels(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), Colour{0, 0, 0, 0}) {}

void Raster::Blend(int x, int y, Colour colour, float strength) {
  const float a = std::clamp(colour.a * strength, 0.0f, 1.0f);
  if (a <= 0) return;
  Colour& dst = m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x)];
  const float keep = 1 - a;
  dst.r = colour.r * a + dst.r * keep;
  dst.g = colour.g * a + dst.g * keep;
  dst.b = colour.b * a + dst.b * keep;
  dst.a = a + dst.a * keep;
}

template <typename PerPixel>
void Raster::ForEachBlock(const Shape& shape, float margin, PerPixel&& perPixel) {
  for (int y0 = 0; y0 < m_height; y0 += kBlock) {
    for (int x0 = 0; x0 < m_width; x0 += kBlock) {
      const BlockSide side = SideOfBlock(shape, x0, y0, margin);
      if (side == BlockSide::kOutside) continue;
      for (int y = y0; y < std::min(y0 + kBlock, m_height); ++y) {
        for (int x = x0; x < std::min(x0 + kBlock, m_width); ++x) perPixel(x, y, side == BlockSide::kInside);
      }
    }
  }
}

void Raster::Fill(const Shape& shape, const Paint& paint) {
  ForEachBlock(shape, 0, [&](int x, int y, bool inside) {
    const float covered = inside ? 1 : Coverage(shape, x, y);
    if (covered > 0) Blend(x, y, paint({static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f}), covered);
  });
}

void Raster::Fill(const Shape& shape, Colour colour) {
  Fill(shape, [colour](Vec2) { return colour; });
}

void Raster::FillSoft(const Shape& shape, const Paint& paint, float softness) {
  if (!(softness > 0)) {
    Fill(shape, paint);
    return;
  }
  ForEachBlock(shape, softness, [&](int x, int y, bool inside) {
    const Vec2 centre{static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f};
    const float t = inside ? 1 : std::clamp(1 - shape(centre) / softness, 0.0f, 1.0f);
    const float strength = t * t * (3 - 2 * t);  // eases in and out, no visible rim
    if (strength > 0) Blend(x, y, paint(centre), strength);
  });
}

Colour Raster::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return {0, 0, 0, 0};
  return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x)];
}

std::vector<std::uint8_t> Raster::KeyedRgb() const {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(m_pixels.size() * 3);
  for (const Colour& c : m_pixels) {
    std::uint8_t rgb[3] = {0, 0, 0};
    if (c.a >= kUnpaintedOpacity) {
      rgb[0] = ToByte(c.r);
      rgb[1] = ToByte(c.g);
      rgb[2] = ToByte(c.b);
      if (rgb[0] == 0 && rgb[1] == 0 && rgb[2] == 0) rgb[0] = rgb[1] = rgb[2] = 1;
    }
    bytes.insert(bytes.end(), rgb, rgb + 3);
  }
  return bytes;
}

std::vector<std::uint8_t> Raster::Rgba() const {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(m_pixels.size() * 4);
  for (const Colour& c : m_pixels) {
    const float unit = c.a > 0 ? 1 / c.a : 0;
    const std::uint8_t rgba[4] = {ToByte(c.r * unit), ToByte(c.g * unit), ToByte(c.b * unit), ToByte(c.a)};
    bytes.insert(bytes.end(), rgba, rgba + 4);
  }
  return bytes;
}

}  // namespace kavelo::artwork
