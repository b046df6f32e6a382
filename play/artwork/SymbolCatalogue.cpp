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
  Shape petals = Circle({0, 0}, 0.32f);
  for (int i = 0; i < 5; ++i) {
    const Vec2 at = Rotate({0, -0.6f}, 2 * kPi * static_cast<float>(i) / 5);
    petals = Union(std::move(petals), Circle(at, 0.33f));
  }
  return Subtract(std::move(petals), Circle({0, 0}, 0.13f));
}

Shape Clover() {
  Shape leaves = Circle({0, -0.05f}, 0.2f);
  for (int i = 0; i < 3; ++i) {
    const Vec2 at = Rotate({0, -0.5f}, 2 * kPi * static_cast<float>(i) / 3) + Vec2{0, -0.08f};
    leaves = SmoothUnion(std::move(leaves), Circle(at, 0.36f), 0.1f);
  }
  return SmoothUnion(std::move(leaves), Capsule({0, 0.2f}, {0.15f, 0.88f}, 0.1f), 0.1f);  // and the stem
}

Shape Gear() {
  Shape teeth = Circle({0, 0}, 0.64f);
  for (int i = 0; i < 4; ++i) teeth = Union(std::move(teeth), Box({0.14f, 0.95f}, 0.05f, kPi * static_cast<float>(i) / 4));
  const Shape hub = Intersect(Circle({0, 0}, 0.95f), std::move(teeth));
  return Subtract(hub, Circle({0, 0}, 0.26f));
}


Shape Discs(std::vector<Vec2> centres, float radius) {
  Shape all = Circle(centres.front(), radius);
  for (std::size_t i = 1; i < centres.size(); ++i) all = Union(std::move(all), Circle(centres[i], radius));
  return all;
}

// A thick line through `points` with round joints and ends.
Shape Stroke(std::vector<Vec2> points, float halfWidth) {
  Shape all = Capsule(points[0], points[1], halfWidth);
  for (std::size_t i = 2; i < points.size(); ++i) all = Union(std::move(all), Capsule(points[i - 1], points[i], halfWidth));
  return all;
}

Shape BoxAt(Vec2 centre, Vec2 half, float radius) { return Shift(Box(half, radius), centre); }

Shape Hourglass() {
  return RoundedPolygon({{-0.72f, -0.9f}, {0.72f, -0.9f}, {0.1f, 0}, {0.72f, 0.9f}, {-0.72f, 0.9f}, {-0.1f, 0}}, 0.06f);
}

Shape Diamond() { return RoundedPolygon({{0, -0.94f}, {0.6f, 0}, {0, 0.94f}, {-0.6f, 0}}, 0.08f); }

Shape Fish() {
  // A pointed oval of a body and a forked tail behind it.
  const Shape body = Intersect(Circle({-0.2f, 0.62f}, 1.05f), Circle({-0.2f, -0.62f}, 1.05f));
  const Shape tail = RoundedPolygon({{0.5f, 0}, {0.95f, -0.5f}, {0.95f, 0.5f}}, 0.03f);
  return Union(Shift(body, {-0.1f, 0}), tail);
}

}  // namespace

Shape SymbolShape(Symbol symbol) {
  switch (symbol) {
    case Symbol::kCircle:
      return Circle({0, 0}, 0.56f);  // smaller than the polygons, which it would otherwise nearly fill
    case Symbol::kSquare:
      return Box({0.84f, 0.84f}, 0.1f);
    case Symbol::kDiamond:
      return Diamond();
    case Symbol::kTriangle:
      return Shift(RoundedPolygon(RegularCorners(3, 0.9f), 0.1f), {0, 0.14f});
    case Symbol::kStar:
      return Shift(RoundedPolygon(StarCorners(5, 0.98f, 0.42f), 0.04f), {0, 0.07f});
    case Symbol::kHexagon:
      return RoundedPolygon(RegularCorners(6, 0.76f, kPi / 6), 0.05f);  // flat-topped, wider than the diamond
    case Symbol::kPlus:
      return Union(Box({0.27f, 0.86f}, 0.08f), Box({0.86f, 0.27f}, 0.08f));
    case Symbol::kHeart:
      return Heart();
    case Symbol::kRing:
      return Outline(Circle({0, 0}, 0.66f), 0.24f);
    case Symbol::kCrescent:
      return Shift(Turned(Subtract(Circle({0, 0}, 0.86f), Circle({0.43f, 0}, 0.7f)), -kPi / 5), {0.2f, -0.12f});
    case Symbol::kDrop:
      return Turned(Drop(), kPi / 4);  // falling aslant, apart from the upright triangle
    case Symbol::kSparkle:
      return RoundedPolygon(StarCorners(4, 0.98f, 0.34f), 0.02f);
    case Symbol::kFlower:
      return Flower();
    case Symbol::kBolt:
      return RoundedPolygon({{0.22f, -0.98f}, {-0.58f, 0.12f}, {-0.04f, 0.12f}, {-0.24f, 0.98f}, {0.6f, -0.18f},
                             {0.06f, -0.18f}, {0.5f, -0.98f}},
                            0.03f);
    case Symbol::kArrow:
      return RoundedPolygon({{0, -0.95f}, {0.7f, -0.1f}, {0.22f, -0.1f}, {0.22f, 0.9f}, {-0.22f, 0.9f},
                             {-0.22f, -0.1f}, {-0.7f, -0.1f}},
                            0.05f);
    case Symbol::kSaltire:
      return Union(Box({0.22f, 0.95f}, 0.1f, kPi / 4), Box({0.22f, 0.95f}, 0.1f, -kPi / 4));
    case Symbol::kHourglass:
      return Hourglass();
    case Symbol::kFrame:
      return Subtract(Box({0.8f, 0.8f}, 0.14f), Box({0.5f, 0.5f}, 0.06f));
    case Symbol::kClover:
      return Clover();
    case Symbol::kLeaf:
      // Where two circles overlap: a pointed oval, laid aslant.
      return Turned(Intersect(Circle({-0.8f, 0}, 1.3f), Circle({0.8f, 0}, 1.3f)), kPi / 4);
    case Symbol::kGear:
      return Gear();
    case Symbol::kTriangleDown:
      return Shift(RoundedPolygon(RegularCorners(3, 0.9f, kPi), 0.1f), {0, -0.14f});
    case Symbol::kBowtie:
      return Turned(Hourglass(), kPi / 2);
    case Symbol::kHexagram:
      // Points up and down, between the flat-topped hexagon's corners.
      return Union(Polygon(RegularCorners(3, 0.98f)), Polygon(RegularCorners(3, 0.98f, kPi)));
    case Symbol::kPill:
      return Turned(Capsule({-0.6f, 0}, {0.6f, 0}, 0.34f), kPi / 4);
    case Symbol::kBars:
      return Union(BoxAt({0, -0.42f}, {0.82f, 0.2f}, 0.08f), BoxAt({0, 0.42f}, {0.82f, 0.2f}, 0.08f));
    case Symbol::kDots3:
      return Discs({{-0.56f, 0.56f}, {0, 0}, {0.56f, -0.56f}}, 0.3f);
    case Symbol::kDots4:
      return Discs({{-0.46f, -0.46f}, {0.46f, -0.46f}, {-0.46f, 0.46f}, {0.46f, 0.46f}}, 0.31f);
    case Symbol::kChecker:
      return Union(BoxAt({-0.41f, -0.41f}, {0.4f, 0.4f}, 0.05f), BoxAt({0.41f, 0.41f}, {0.4f, 0.4f}, 0.05f));
    case Symbol::kDome:
      return Intersect(Circle({0, 0.42f}, 0.92f), [](Vec2 p) { return p.y - 0.42f; });
    case Symbol::kChevron:
      return Stroke({{-0.74f, 0.38f}, {0, -0.4f}, {0.74f, 0.38f}}, 0.21f);
    case Symbol::kTee:
      return Union(BoxAt({0, -0.64f}, {0.86f, 0.22f}, 0.06f), BoxAt({0, 0.12f}, {0.22f, 0.76f}, 0.06f));
    case Symbol::kEll:
      return Union(BoxAt({-0.56f, 0}, {0.22f, 0.86f}, 0.06f), BoxAt({0.08f, 0.64f}, {0.76f, 0.22f}, 0.06f));
    case Symbol::kAitch:
      return Union(Union(BoxAt({-0.6f, 0}, {0.2f, 0.86f}, 0.06f), BoxAt({0.6f, 0}, {0.2f, 0.86f}, 0.06f)),
                   Box({0.5f, 0.17f}, 0.03f));
    case Symbol::kTarget:
      return Union(Outline(Circle({0, 0}, 0.84f), 0.12f), Circle({0, 0}, 0.3f));
    case Symbol::kTriangleOutline:
      return Shift(Outline(Polygon(RegularCorners(3, 0.86f)), 0.14f), {0, 0.14f});
    case Symbol::kDiamondOutline:
      return Outline(Diamond(), 0.14f);
    case Symbol::kZigzag:
      return Stroke({{-0.84f, 0.32f}, {-0.3f, -0.32f}, {0.3f, 0.32f}, {0.84f, -0.32f}}, 0.17f);
    case Symbol::kDumbbell:
      return Union(Discs({{0, -0.58f}, {0, 0.58f}}, 0.36f), Box({0.13f, 0.6f}, 0.03f));
    case Symbol::kCrown:
      return RoundedPolygon({{-0.86f, 0.66f}, {0.86f, 0.66f}, {0.86f, -0.6f}, {0.43f, -0.06f}, {0, -0.8f},
                             {-0.43f, -0.06f}, {-0.86f, -0.6f}},
                            0.04f);
    case Symbol::kHouse:
      // A roof over a wider body with a door cut out.
      return Subtract(RoundedPolygon({{0, -0.92f}, {0.88f, -0.08f}, {0.66f, -0.08f}, {0.66f, 0.86f}, {-0.66f, 0.86f},
                                      {-0.66f, -0.08f}, {-0.88f, -0.08f}},
                                     0.04f),
                      BoxAt({0, 0.56f}, {0.2f, 0.32f}, 0.04f));
    case Symbol::kFish:
      return Fish();
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
    case Symbol::kTriangleDown: return "triangle down";
    case Symbol::kBowtie: return "bow tie";
    case Symbol::kHexagram: return "hexagram";
    case Symbol::kPill: return "pill";
    case Symbol::kBars: return "bars";
    case Symbol::kDots3: return "three dots";
    case Symbol::kDots4: return "four dots";
    case Symbol::kChecker: return "checker";
    case Symbol::kDome: return "dome";
    case Symbol::kChevron: return "chevron";
    case Symbol::kTee: return "tee";
    case Symbol::kEll: return "ell";
    case Symbol::kAitch: return "aitch";
    case Symbol::kTarget: return "target";
    case Symbol::kTriangleOutline: return "hollow triangle";
    case Symbol::kDiamondOutline: return "hollow diamond";
    case Symbol::kZigzag: return "zigzag";
    case Symbol::kDumbbell: return "dumbbell";
    case Symbol::kCrown: return "crown";
    case Symbol::kHouse: return "house";
    case Symbol::kFish: return "fish";
  }
  return "unknown";
}

}  // namespace kavelo::artwork
