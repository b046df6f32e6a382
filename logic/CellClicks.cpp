// Clicks on cells: selecting, matching, removing pairs and keeping the score.
#include <algorithm>
#include <cstddef>
#include <utility>

#include "logic/KaveloInternal.h"
#include "logic/ScoreArithmetic.h"

bool CKaveloInternal::ClickCell(int x, int y, int& result) {
  if (!m_boardReady || !m_tiles) return false;
  // Only the low 16 bits of each coordinate count, read as a signed number.
  const auto cx = static_cast<std::int16_t>(static_cast<std::uint16_t>(x));
  const auto cy = static_cast<std::int16_t>(static_cast<std::uint16_t>(y));
  const std::uint8_t kind = TileAt(cx, cy);
  if (kind == 0) {
    m_selX = -1;
    m_selY = -1;
    result = Cancel;
    return false;
  }
  if (cx == m_selX && cy == m_selY) {
    result = Choose;
    return true;
  }
  const bool nothingSelected = m_selX == -1 || m_selY == -1;
  const int selX = m_selX;
  const int selY = m_selY;
  const std::uint8_t selectedKind = TileAt(selX, selY);
  m_selX = cx;
  m_selY = cy;
  if (nothingSelected || selectedKind == 0) {
    result = Choose;
    return true;
  }
  if (selectedKind != kind) {
    ++m_misses;
    m_lastMiss = MissKinds;
    result = Wrong;
    return true;
  }
  if (!FindLink(static_cast<std::uint8_t>(selX), static_cast<std::uint8_t>(selY), static_cast<std::uint8_t>(cx),
                static_cast<std::uint8_t>(cy))) {
    ++m_misses;
    m_lastMiss = MissPath;
    result = Wrong;
    return true;
  }

  m_lastMiss = MissNone;
  m_score = kavelo::logic::AddWrapping(m_score, m_scoreStep);
  RemovedPair pair{static_cast<std::uint8_t>(selX), static_cast<std::uint8_t>(selY), static_cast<std::uint8_t>(cx),
                   static_cast<std::uint8_t>(cy), selectedKind, kind, m_lastPath, m_scoreStep, {}};
  m_redoable.clear();
  RemoveWithFall(pair);
  m_undoable.push_back(std::move(pair));
  ++m_pairsRemoved;
  m_selX = -1;
  m_selY = -1;
  // The grid itself decides, not the tile count.
  const std::size_t cells = static_cast<std::size_t>(m_width) * m_height;
  const bool tilesRemain = std::any_of(m_tiles.get(), m_tiles.get() + cells, [](std::uint8_t t) { return t != 0; });
  result = tilesRemain ? Connect : Win;
  return true;
}

bool CKaveloInternal::RemoveTile(std::uint8_t x, std::uint8_t y) {
  if (!m_boardReady || TileAt(x, y) == 0) return false;
  m_tiles[y * m_width + x] = 0;
  --m_tilesLeft;
  return true;
}

void CKaveloInternal::RemoveWithFall(RemovedPair& pair) {
  RemoveTile(pair.x2, pair.y2);
  RemoveTile(pair.x1, pair.y1);
  pair.fall.clear();
  kavelo::logic::SettleAfterRemoval(m_tiles.get(), m_width, m_height, m_gravity,
                                    {pair.y1 * m_width + pair.x1, pair.y2 * m_width + pair.x2}, pair.fall);
}
