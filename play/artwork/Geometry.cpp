#include "play/artwork/Geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace kavelo::artwork {

float Length(Vec2 v) { return std::sqrt(v.x * v.x + v.y * v.y); }
float Dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }

Vec2 Rotate(Vec2 p, float radians) {
  const float c = std::cos(radians);
  const float s = std::sin(radians);
  return {p.x * c - p.y * s, p.x * s + p.y * c};
}

float CircleDistance(Vec2 p, float radius) { return Length(p) - radius; }

float RoundedBoxDistance(Vec2 p, Vec2 half, float radius) {
  const Vec2 q{std::abs(p.x) - half.x + radius, std::abs(p.y) - half.y + radius};
  const Vec2 outside{std::max(q.x, 0.0f), std::max(q.y, 0.0f)};
  return Length(outside) + std::min(std::max(q.x, q.y), 0.0f) - radius;
}

float PolygonDistance(Vec2 p, std::span<const Vec2> corners) {
  if (corners.size() < 3) return Length(p);
  float nearest = Dot(p - corners[0], p - corners[0]);
  bool inside = false;
  for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
    const Vec2 a = corners[j];
    const Vec2 b = corners[i];
    const Vec2 edge = b - a;
    const Vec2 w = p - a;
    const float along = std::clamp(Dot(w, edge) / Dot(edge, edge), 0.0f, 1.0f);
    const Vec2 gap = w - edge * along;
    nearest = std::min(nearest, Dot(gap, gap));
    // Parity of the crossings of a ray running from p toward +x.
    if ((a.y > p.y) != (b.y > p.y)) {
      const float crossX = a.x + (p.y - a.y) / (b.y - a.y) * edge.x;
      if (p.x < crossX) inside = !inside;
    }
  }
  const float d = std::sqrt(nearest);
  return inside ? -d : d;
}

float CapsuleDistance(Vec2 p, Vec2 a, Vec2 b, float halfWidth) {
  const Vec2 edge = b - a;
  const float lengthSquared = Dot(edge, edge);
  const float along = lengthSquared > 0 ? std::clamp(Dot(p - a, edge) / lengthSquared, 0.0f, 1.0f) : 0.0f;
  return Length(p - a - edge * along) - halfWidth;
}

std::vector<Vec2> RegularCorners(int sides, float radius, float turn) {
  sides = std::max(sides, 3);
  std::vector<Vec2> corners;
  for (int i = 0; i < sides; ++i) {
    const float angle = turn + 2 * std::numbers::pi_v<float> * static_cast<float>(i) / static_cast<float>(sides);
    corners.push_back(Rotate({0, -radius}, angle));
  }
  return corners;
}

std::vector<Vec2> StarCorners(int points, float outer, float inner, float turn) {
  points = std::max(points, 2);
  std::vector<Vec2> corners;
  const int count = 2 * points;
  for (int i = 0; i < count; ++i) {
    const float angle = turn + 2 * std::numbers::pi_v<float> * static_cast<float>(i) / static_cast<float>(count);
    corners.push_back(Rotate({0, i % 2 == 0 ? -outer : -inner}, angle));
  }
  return corners;
}

Shape Union(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](Vec2 p) { return std::min(a(p), b(p)); };
}

Shape Intersect(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](Vec2 p) { return std::max(a(p), b(p)); };
}

Shape Subtract(Shape from, Shape cut) {
  return [from = std::move(from), cut = std::move(cut)](Vec2 p) { return std::max(from(p), -cut(p)); };
}

Shape SmoothUnion(Shape a, Shape b, float k) {
  return [a = std::move(a), b = std::move(b), k](Vec2 p) {
    const float da = a(p);
    const float db = b(p);
    if (k <= 0) return std::min(da, db);
    const float h = std::clamp(0.5f + 0.5f * (db - da) / k, 0.0f, 1.0f);
    return db + (da - db) * h - k * h * (1 - h);
  };
}

Shape Grow(Shape s, float amount) {
  return [s = std::move(s), amount](Vec2 p) { return s(p) - amount; };
}

Shape Outline(Shape s, float halfWidth) {
  return [s = std::move(s), halfWidth](Vec2 p) { return std::abs(s(p)) - halfWidth; };
}

Shape Place(Shape s, Vec2 centre, float scale) {
  if (!(scale > 0)) return [](Vec2) { return std::numeric_limits<float>::max(); };  // nothing at all
  return [s = std::move(s), centre, scale](Vec2 p) { return s((p - centre) * (1 / scale)) * scale; };
}

Shape Shift(Shape s, Vec2 offset) {
  return [s = std::move(s), offset](Vec2 p) { return s(p - offset); };
}

}  // namespace kavelo::artwork
