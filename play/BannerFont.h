#pragma once
// A 5 x 7 pixel font for the end-of-game banner, drawn as filled squares.

#include <string_view>

namespace kavelo::play {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;

// Rows of the glyph for `c`, top first, bit 4 the leftmost pixel; a blank for
// characters the font lacks (it has A-Z, 0-9, space and a few marks).
const unsigned char* Glyph(char c);

// Calls plot(x, y) for every lit pixel of `text`, glyphs one pixel apart.
template <typename Plot>
void ForEachTextPixel(std::string_view text, Plot&& plot) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char* rows = Glyph(text[i]);
    for (int y = 0; y < kGlyphHeight; ++y) {
      for (int x = 0; x < kGlyphWidth; ++x) {
        if (rows[y] & (0x10 >> x)) plot(static_cast<int>(i) * (kGlyphWidth + 1) + x, y);
      }
    }
  }
}

}  // namespace kavelo::play
