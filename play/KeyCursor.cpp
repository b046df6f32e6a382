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

}  // namespace kavelo::play
