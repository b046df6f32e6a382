#include "FrameMarks.h"

#include <algorithm>
#include <cstddef>

#include "BannerFont.h"

namespace kavelo::play {
namespace {

constexpr int kCursorDark = 2, kCursorLight = 3;  // outline widths, outside in
constexpr Colour kDark{20, 20, 20};
constexpr Colour kAmber{255, 190, 0};
constexpr int kHintWidth = 3;
constexpr Colour kHint{255, 255, 255};
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
  // The ring between a box and the box `thickness` inside it, `inset` in from `box`.
  void Ring(const Box& box, int inset, int thickness, Colour c) {
    const int left = box.left + inset, top = box.top + inset;
    const int width = box.width - 2 * inset, height = box.height - 2 * inset;
    if (width <= 0 || height <= 0) return;
    const int t = std::min({thickness, (width + 1) / 2, (height + 1) / 2});
    Fill(left, top, width, t, c);
    Fill(left, top + height - t, width, t, c);
    Fill(left, top + t, t, height - 2 * t, c);
    Fill(left + width - t, top + t, t, height - 2 * t, c);
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
  if (banner) add(BannerBox(0, height));
  const int first = std::max(rows.first, 0), end = std::min(rows.End(), height);
  return rows.Empty() || end <= first ? RowBand{} : RowBand{first, end - first};
}

void PaintMarks(std::vector<char>& frame, int width, int height, const FrameMarks& marks, RowBand clip) {
  if (width <= 0 || height <= 0 || frame.size() < static_cast<std::size_t>(width) * height * 4) return;
  Canvas canvas(frame, width, height, clip);
  for (const Box& h : marks.hints) canvas.Ring(h, 0, kHintWidth, kHint);
  // Dark outside and light inside, so that the cursor stands out on light tiles, dark
  // tiles and the empty background alike.
  if (marks.cursor) {
    canvas.Ring(*marks.cursor, 0, kCursorDark, kDark);
    canvas.Ring(*marks.cursor, kCursorDark, kCursorLight, kAmber);
  }
  if (!marks.banner) return;
  const Box band = BannerBox(width, height);
  if (!canvas.Touches(band.top, band.height)) return;
  canvas.Fill(band.left, band.top, band.width, band.height, Colour{0, 0, 0}, kBannerShade);
  canvas.Text(marks.banner->title, width / 2, band.top + 16, kTitleScale, marks.banner->colour);
  canvas.Text(marks.banner->line, width / 2, band.top + 76, kLineScale, kLineColour);
}

}  // namespace kavelo::play
