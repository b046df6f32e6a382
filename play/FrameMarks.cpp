#include "FrameMarks.h"

#include <algorithm>
#include <cstddef>

#include "BannerFont.h"

namespace kavelo::play {
namespace {

// The marks differ in shape as well as colour: the plug-in's selection mark rings the whole
// cell, the cursor holds its four corners, a hint points in at the middle of each side,
// and a pair that failed is crossed out.
constexpr int kCursorDark = 2, kCursorLight = 3;  // bracket widths at a 48-pixel cell, outside in
constexpr int kMarkCell = 48;                       // the cell size those widths are for
constexpr Colour kDark{20, 20, 20};
constexpr Colour kAmber{255, 190, 0};
constexpr Colour kHint{255, 255, 255};
constexpr Colour kMiss{255, 190, 185};  // light: the dark edge carries the shape
constexpr int kBannerHeight = 120, kBannerShade = 215;  // the band's darkness, of 255
constexpr int kTitleScale = 6, kLineScale = 3;
constexpr Colour kLineColour{235, 235, 235};

// A frame's pixels, with every write clipped to the frame and to the band.
class Canvas {
 public:
  Canvas(std::vector<char>& frame, int width, int height, RowBand clip)
      : m_frame(frame), m_width(width), m_top(std::max(clip.first, 0)), m_bottom(std::min(clip.End(), height)) {}

  // Fills a rectangle, blending `alpha` of 255 of the colour over what is there.
  void Fill(int left, int top, int width, int height, Colour c, int alpha = 255) {
    const int x0 = std::max(left, 0), x1 = std::min(left + width, m_width);
    const int y0 = std::max(top, m_top), y1 = std::min(top + height, m_bottom);
    const int rgb[3] = {c.b, c.g, c.r};
    for (int y = y0; y < y1; ++y) {
      auto* p = reinterpret_cast<unsigned char*>(&m_frame[(static_cast<std::size_t>(y) * m_width + x0) * 4]);
      for (int x = x0; x < x1; ++x, p += 4) {
        for (int i = 0; i < 3; ++i) p[i] = static_cast<unsigned char>((rgb[i] * alpha + p[i] * (255 - alpha)) / 255);
      }
    }
  }
  // An L in each corner of `box`, `inset` in from it, with arms `arm` long.
  void Corners(const Box& box, int inset, int arm, int thickness, Colour c) {
    const int left = box.left + inset, top = box.top + inset;
    const int right = box.left + box.width - inset, bottom = box.top + box.height - inset;
    if (arm <= 0 || thickness <= 0 || right - left < 2 * thickness || bottom - top < 2 * thickness) return;
    for (const int x : {left, right - arm}) {
      Fill(x, top, arm, thickness, c);
      Fill(x, bottom - thickness, arm, thickness, c);
    }
    for (const int y : {top, bottom - arm}) {
      Fill(left, y, thickness, arm, c);
      Fill(right - thickness, y, thickness, arm, c);
    }
  }
  // A triangle at the middle of each side of `box`, its base `base` wide on the side and
  // its tip `depth` in toward the centre, drawn `shrink` pixels smaller all round.
  void Wedges(const Box& box, int base, int depth, int shrink, Colour c) {
    const int cx = box.left + box.width / 2, cy = box.top + box.height / 2;
    for (int r = shrink; r < depth - shrink; ++r) {
      const int span = (base - 2 * shrink) * (depth - shrink - r) / (depth - shrink);
      if (span <= 0) continue;
      Fill(cx - span / 2, box.top + r, span, 1, c);
      Fill(cx - span / 2, box.top + box.height - 1 - r, span, 1, c);
      Fill(box.left + r, cy - span / 2, 1, span, c);
      Fill(box.left + box.width - 1 - r, cy - span / 2, 1, span, c);
    }
  }
  // The two diagonals of `box`, `inset` in from its corners, `thickness` pixels across.
  void Cross(const Box& box, int inset, int thickness, Colour c) {
    const int side = std::min(box.width, box.height);
    for (int r = inset; r < side - inset - thickness; ++r) {
      Fill(box.left + r, box.top + r, thickness, 1, c);
      Fill(box.left + side - r - thickness, box.top + r, thickness, 1, c);
    }
  }
  // A line of the banner font centred on `centreX`, as large as fits the frame's width.
  void Text(const std::string& text, int centreX, int top, int scale, Colour c) {
    const int glyphs = static_cast<int>(text.size()) * (kGlyphWidth + 1);
    if (glyphs == 0) return;
    scale = std::max(1, std::min(scale, (m_width - 8) / glyphs));
    const int left = centreX - glyphs * scale / 2;
    ForEachTextPixel(text, [&](int x, int y) { Fill(left + x * scale, top + y * scale, scale, scale, c); });
  }
  bool Touches(int top, int height) const { return top < m_bottom && top + height > m_top; }

 private:
  std::vector<char>& m_frame;
  int m_width, m_top, m_bottom;
};

}  // namespace

RowBand RowBand::Union(RowBand other) const {
  if (other.Empty()) return *this;
  if (Empty()) return other;
  const int first = std::min(this->first, other.first);
  return {first, std::max(End(), other.End()) - first};
}

Box BannerBox(int frameWidth, int frameHeight) {
  return {0, frameHeight / 2 - kBannerHeight / 2, frameWidth, kBannerHeight};
}

RowBand FrameMarks::Rows(int height) const {
  RowBand rows;
  const auto add = [&](const Box& b) { rows = rows.Union({b.top, b.height}); };
  if (cursor) add(*cursor);
  for (const Box& h : hints) add(h);
  for (const Box& m : misses) add(m);
  if (banner) add(BannerBox(0, height));
  const int first = std::max(rows.first, 0), end = std::min(rows.End(), height);
  return rows.Empty() || end <= first ? RowBand{} : RowBand{first, end - first};
}

void PaintMarks(std::vector<char>& frame, int width, int height, const FrameMarks& marks, RowBand clip) {
  if (width <= 0 || height <= 0 || frame.size() < static_cast<std::size_t>(width) * height * 4) return;
  Canvas canvas(frame, width, height, clip);
  // Each mark is dark at its edge and light inside, so that it stands out on light tiles,
  // dark tiles and the empty background alike; its lines grow with the cell.
  for (const Box& h : marks.hints) {
    const int side = std::min(h.width, h.height);
    const int base = std::max(12, side * 5 / 12), depth = std::max(7, side / 5);
    canvas.Wedges(h, base, depth, 0, kDark);
    canvas.Wedges(h, base, depth, std::max(1, side / 32), kHint);
  }
  for (const Box& m : marks.misses) {
    const int side = std::min(m.width, m.height), thickness = std::max(2, side / 10);
    canvas.Cross(m, side / 5, thickness + 2 * std::max(1, side / 48), kDark);
    canvas.Cross(m, side / 5 + std::max(1, side / 48), thickness, kMiss);
  }
  if (marks.cursor) {
    const Box& c = *marks.cursor;
    const int scale = std::max(1, std::min(c.width, c.height) / kMarkCell);
    const int dark = kCursorDark * scale, light = kCursorLight * scale, arm = std::min(c.width, c.height) / 4;
    canvas.Corners(c, 0, arm, dark + light + scale, kDark);
    canvas.Corners(c, dark, arm - dark, light, kAmber);
  }
  if (!marks.banner) return;
  const Box band = BannerBox(width, height);
  if (!canvas.Touches(band.top, band.height)) return;
  canvas.Fill(band.left, band.top, band.width, band.height, Colour{0, 0, 0}, kBannerShade);
  canvas.Text(marks.banner->title, width / 2, band.top + 16, kTitleScale, marks.banner->colour);
  canvas.Text(marks.banner->line, width / 2, band.top + 76, kLineScale, kLineColour);
}

}  // namespace kavelo::play
