#include "play/artwork/SymbolCatalogue.h"

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace kavelo::artwork {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

Shape Polygon(std::vector<Vec2> corners) {
  return [corners = std::move(corners)](Vec2 p) { return PolygonDistance(p, corners); };
}

// A polygon whose corners are rounded by `radius`: the outline of a smaller polygon grown back.
Shape RoundedPolygon(std::vector<Vec2> corners, float radius) { return Grow(Polygon(std::move(corners)), radius); }

Shape Circle(Vec2 centre, float radius) {
  return [centre, radius](Vec2 p) { return CircleDistance(p - centre, radius); };
}

Shape Box(Vec2 half, float radius, float turn = 0) {
  return [half, radius, turn](Vec2 p) { return RoundedBoxDistance(Rotate(p, -turn), half, radius); };
}

Shape Capsule(Vec2 a, Vec2 b, float halfWidth) {
  return [a, b, halfWidth](Vec2 p) { return CapsuleDistance(p, a, b, halfWidth); };
}

Shape Turned(Shape s, float turn) {
  return [s = std::move(s), turn](Vec2 p) { return s(Rotate(p, -turn)); };
}

Shape Drop() {
  // A circle below and the two lines from the tip that touch it.
  const Vec2 centre{0, 0.3f};
  const float radius = 0.64f;
  const Vec2 tip{0, -1.0f};
  const float toTip = centre.y - tip.y;
  const float spread = std::acos(radius / toTip);
  const Vec2 right{radius * std::sin(spread), centre.y - radius * std::cos(spread)};
  const Vec2 left{-right.x, right.y};
  return Union(Circle(centre, radius), Polygon({tip, right, centre, left}));
}

Shape Heart() {
  const float radius = 0.5f;
  const Vec2 leftCentre{-0.45f, -0.32f};
  const Vec2 rightCentre{0.45f, -0.32f};
  const Vec2 tip{0, 0.95f};
  // Each lobe meets the tip along the line that touches it on the outer side.
  const auto touch = [&](Vec2 centre, float side) {
    const Vec2 toCentre = centre - tip;
    const float distance = Length(toCentre);
    const float angle = std::asin(radius / distance);
    const Vec2 along = Rotate(toCentre * (1 / distance), side * angle);
    return tip + along * std::sqrt(distance * distance - radius * radius);
  };
  Shape lobes = Union(Circle(leftCentre, radius), Circle(rightCentre, radius));
  // The body reaches up between the lobes, close to the notch, so the seam lies deep inside.
  const Vec2 notch{0, leftCentre.y - 0.16f};
  return Union(std::move(lobes),
               Polygon({tip, touch(leftCentre, -1), leftCentre, notch, rightCentre, touch(rightCentre, 1)}));
}

Shape Flower() {
  Shape petals = Circle({0, 0}, 0.42f);
  for (int i = 0; i < 5; ++i) {
    const Vec2 at = Rotate({0, -0.56f}, 2 * kPi * static_cast<float>(i) / 5);
    petals = Union(std::move(petals), Circle(at, 0.37f));
  }
  return Subtract(std::move(petals), Circle({0, 0}, 0.16f));
}

Shape Clover() {
  Shape leaves = Circle({0, -0.05f}, 0.3f);
  for (int i = 0; i < 3; ++i) {
    const Vec2 at = Rotate({0, -0.42f}, 2 * kPi * static_cast<float>(i) / 3) + Vec2{0, -0.08f};
    leaves = SmoothUnion(std::move(leaves), Circle(at, 0.4f), 0.12f);
  }
  return SmoothUnion(std::move(leaves), Capsule({0, 0.2f}, {0.15f, 0.88f}, 0.1f), 0.1f);  // and the stem
}

Shape Gear() {
  Shape teeth = Circle({0, 0}, 0.7f);
  for (int i = 0; i < 8; ++i) teeth = Union(std::move(teeth), Box({0.17f, 0.95f}, 0.06f, kPi * static_cast<float>(i) / 8));
  const Shape hub = Intersect(Circle({0, 0}, 0.95f), std::move(teeth));
  return Subtract(hub, Circle({0, 0}, 0.3f));
}

}  // namespace

Shape SymbolShape(Symbol symbol) {
  switch (symbol) {
    case Symbol::kCircle:
      return Circle({0, 0}, 0.8f);
    case Symbol::kSquare:
      return Box({0.78f, 0.78f}, 0.1f);
    case Symbol::kDiamond:
      return RoundedPolygon({{0, -0.92f}, {0.72f, 0}, {0, 0.92f}, {-0.72f, 0}}, 0.08f);
    case Symbol::kTriangle:
      return Shift(RoundedPolygon(RegularCorners(3, 0.9f), 0.1f), {0, 0.14f});
    case Symbol::kStar:
      return Shift(RoundedPolygon(StarCorners(5, 0.98f, 0.42f), 0.04f), {0, 0.07f});
    case Symbol::kHexagon:
      return RoundedPolygon(RegularCorners(6, 0.94f), 0.06f);
    case Symbol::kPlus:
      return Union(Box({0.27f, 0.86f}, 0.08f), Box({0.86f, 0.27f}, 0.08f));
    case Symbol::kHeart:
      return Heart();
    case Symbol::kRing:
      return Outline(Circle({0, 0}, 0.66f), 0.24f);
    case Symbol::kCrescent:
      return Shift(Turned(Subtract(Circle({0, 0}, 0.86f), Circle({0.43f, 0}, 0.7f)), -kPi / 5), {0.2f, -0.12f});
    case Symbol::kDrop:
      return Drop();
    case Symbol::kSparkle:
      return RoundedPolygon(StarCorners(4, 0.98f, 0.34f), 0.02f);
    case Symbol::kFlower:
      return Flower();
    case Symbol::kBolt:
      return RoundedPolygon({{0.22f, -0.98f}, {-0.58f, 0.12f}, {-0.04f, 0.12f}, {-0.24f, 0.98f}, {0.6f, -0.18f},
                             {0.06f, -0.18f}, {0.5f, -0.98f}},
                            0.03f);
    case Symbol::kArrow:
      return RoundedPolygon({{0, -0.95f}, {0.82f, -0.05f}, {0.3f, -0.05f}, {0.3f, 0.9f}, {-0.3f, 0.9f},
                             {-0.3f, -0.05f}, {-0.82f, -0.05f}},
                            0.05f);
    case Symbol::kSaltire:
      return Union(Box({0.22f, 0.95f}, 0.1f, kPi / 4), Box({0.22f, 0.95f}, 0.1f, -kPi / 4));
    case Symbol::kHourglass:
      return RoundedPolygon({{-0.72f, -0.9f}, {0.72f, -0.9f}, {0.1f, 0}, {0.72f, 0.9f}, {-0.72f, 0.9f}, {-0.1f, 0}},
                            0.06f);
    case Symbol::kFrame:
      return Subtract(Box({0.8f, 0.8f}, 0.14f), Box({0.42f, 0.42f}, 0.06f));
    case Symbol::kClover:
      return Clover();
    case Symbol::kLeaf:
      // Where two circles overlap: a pointed oval, laid aslant.
      return Turned(Intersect(Circle({-0.62f, 0}, 1.3f), Circle({0.62f, 0}, 1.3f)), kPi / 4);
    case Symbol::kGear:
      return Gear();
  }
  return Circle({0, 0}, 0);
}

std::string_view SymbolName(Symbol symbol) {
  switch (symbol) {
    case Symbol::kCircle: return "circle";
    case Symbol::kSquare: return "square";
    case Symbol::kDiamond: return "diamond";
    case Symbol::kTriangle: return "triangle";
    case Symbol::kStar: return "star";
    case Symbol::kHexagon: return "hexagon";
    case Symbol::kPlus: return "plus";
    case Symbol::kHeart: return "heart";
    case Symbol::kRing: return "ring";
    case Symbol::kCrescent: return "crescent";
    case Symbol::kDrop: return "drop";
    case Symbol::kSparkle: return "sparkle";
    case Symbol::kFlower: return "flower";
    case Symbol::kBolt: return "bolt";
    case Symbol::kArrow: return "arrow";
    case Symbol::kSaltire: return "saltire";
    case Symbol::kHourglass: return "hourglass";
    case Symbol::kFrame: return "frame";
    case Symbol::kClover: return "clover";
    case Symbol::kLeaf: return "leaf";
    case Symbol::kGear: return "gear";
  }
  return "unknown";
}

}  // namespace kavelo::artwork
