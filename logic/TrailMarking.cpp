// The trail of a found link: counters set along the path, counted down once per tick.
#include <algorithm>
#include <cstddef>

#include "logic/KaveloInternal.h"

bool CKaveloInternal::MarkTrail(std::uint8_t x1, std::uint8_t y1, std::uint8_t x2, std::uint8_t y2) {
  if (!m_boardReady || !m_trail || !InGrid(x1, y1) || !InGrid(x2, y2)) return false;
  const auto frames = static_cast<std::int8_t>(std::min<int>(m_trailFrames, kMaxTrailFrames));
  if (x1 == x2) {
    for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) m_trail[y * m_width + x1] = frames;
  } else {
    std::int8_t* row = m_trail.get() + y1 * m_width;
    std::fill(row + std::min(x1, x2), row + std::max(x1, x2) + 1, frames);
  }
  return true;
}

void CKaveloInternal::AdvanceTrail() {
  if (!m_boardReady || !m_trail) return;
  const std::size_t cells = static_cast<std::size_t>(m_width) * m_height;
  for (std::size_t i = 0; i < cells; ++i) {
    if (m_trail[i] > 0) --m_trail[i];
  }
}
