#include "KeyCursor.h"

#include <algorithm>

namespace kavelo::play {

void KeyCursor::Move(int dx, int dy) {
  m_at = {std::clamp(m_at.x + dx, 0, m_columns - 1), std::clamp(m_at.y + dy, 0, m_rows - 1)};
  m_shown = true;
}

void KeyCursor::MoveTo(Cell cell) {
  if (cell.x >= 0 && cell.y >= 0 && cell.x < m_columns && cell.y < m_rows) m_at = cell;
}

namespace {

constexpr int kDarkWidth = 2, kLightWidth = 3;
constexpr unsigned char kDark[3] = {20, 20, 20};      // blue, green, red
constexpr unsigned char kLight[3] = {0, 190, 255};     // amber

// The ring of pixels between two rectangles, `inset` and `inset + width` inside the cell.
void Ring(std::vector<char>& frame, int frameWidth, int frameHeight, int left, int top, int width, int height,
          int inset, int thickness, const unsigned char (&colour)[3]) {
  for (int y = top + inset; y < top + height - inset; ++y) {
    for (int x = left + inset; x < left + width - inset; ++x) {
      const bool inner = x >= left + inset + thickness && x < left + width - inset - thickness &&
                         y >= top + inset + thickness && y < top + height - inset - thickness;
      if (inner || x < 0 || y < 0 || x >= frameWidth || y >= frameHeight) continue;
      char* p = &frame[(static_cast<std::size_t>(y) * frameWidth + x) * 4];
      for (int c = 0; c < 3; ++c) p[c] = static_cast<char>(colour[c]);
    }
  }
}

}  // namespace

void DrawCursor(std::vector<char>& frame, int frameWidth, int frameHeight, int left, int top, int width, int height) {
  if (frame.size() < static_cast<std::size_t>(frameWidth) * frameHeight * 4) return;
  Ring(frame, frameWidth, frameHeight, left, top, width, height, 0, kDarkWidth, kDark);
  Ring(frame, frameWidth, frameHeight, left, top, width, height, kDarkWidth, kLightWidth, kLight);
}

}  // namespace kavelo::play
