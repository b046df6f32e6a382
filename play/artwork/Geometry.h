#pragma once
// Signed distance fields: a shape is a function that tells, for a point, how far it lies
// from the outline, negative inside. Distances keep their meaning under scaling, which
// lets one shape be drawn at any size and lets the painter skip supersampling far from
// the outline.

#include <functional>
#include <span>
#include <vector>

namespace kavelo::artwork {

struct Vec2 {
  float x = 0;
  float y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, float s) { return {a.x * s, a.y * s}; }
float Length(Vec2 v);
float Dot(Vec2 a, Vec2 b);
// The point turned by `radians` about the origin (y grows downward, so positive turns clockwise).
Vec2 Rotate(Vec2 p, float radians);

using Shape = std::function<float(Vec2)>;

float CircleDistance(Vec2 p, float radius);
// A box centred on the origin with half sides `half` and corners rounded by `radius`.
float RoundedBoxDistance(Vec2 p, Vec2 half, float radius);
// A closed polygon through `corners`, in either winding order; self-crossings count by parity.
float PolygonDistance(Vec2 p, std::span<const Vec2> corners);
// A segment of width 2 * halfWidth from a to b with round ends.
float CapsuleDistance(Vec2 p, Vec2 a, Vec2 b, float halfWidth);

// Corners of a regular polygon (fewer than 3 sides make a triangle) or of a star that
// alternates between the outer and inner radius; the first corner points straight up,
// turned `turn` radians clockwise.
std::vector<Vec2> RegularCorners(int sides, float radius, float turn = 0);
std::vector<Vec2> StarCorners(int points, float outer, float inner, float turn = 0);

// Combinations. Union and intersection keep exact distances outside and bound them
// inside; a smooth union rounds the seam over a width `k`.
Shape Union(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
Shape Subtract(Shape from, Shape cut);
Shape SmoothUnion(Shape a, Shape b, float k);
// The shape grown by `amount` (negative shrinks it).
Shape Grow(Shape s, float amount);
// A band of width 2 * halfWidth centred on the shape's outline.
Shape Outline(Shape s, float halfWidth);
// The shape scaled by `scale` and moved so that its origin lands on `centre`.
Shape Place(Shape s, Vec2 centre, float scale);
Shape Shift(Shape s, Vec2 offset);

}  // namespace kavelo::artwork
