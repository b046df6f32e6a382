// Taking removed pairs back and removing them again. Only the tiles, the score, the pair
// count and the tiles left move; misses and time stay as they are. Undo first lifts the
// tiles that fell after the pair back to where they stood, then puts the pair back.
#include <algorithm>
#include <utility>

#include "logic/KaveloInternal.h"
#include "logic/ScoreArithmetic.h"

using kavelo::logic::AddWrapping;
using kavelo::logic::SubtractWrapping;

void CKaveloInternal::ForgetMoves() {
  m_undoable.clear();
  m_redoable.clear();
}

// Lights the pair's path as its link did, or darkens it.
void CKaveloInternal::MarkPath(const RemovedPair& pair, bool lit) {
  const kavelo::logic::PathCorners& p = pair.path;
  const int corners[4][2] = {{pair.x1, pair.y1}, {p.turnX1, p.turnY1}, {p.turnX2, p.turnY2}, {pair.x2, pair.y2}};
  const auto segment = [&](const int* a, const int* b) {
    if (lit) {
      MarkTrail(static_cast<std::uint8_t>(a[0]), static_cast<std::uint8_t>(a[1]), static_cast<std::uint8_t>(b[0]),
                static_cast<std::uint8_t>(b[1]));
      return;
    }
    for (int y = std::min(a[1], b[1]); y <= std::max(a[1], b[1]); ++y) {
      for (int x = std::min(a[0], b[0]); x <= std::max(a[0], b[0]); ++x) m_trail[y * m_width + x] = 0;
    }
  };
  if (p.straight) {
    segment(corners[0], corners[3]);
  } else {
    for (int i = 0; i < 3; ++i) segment(corners[i], corners[i + 1]);
  }
}

bool CKaveloInternal::Undo() {
  if (!m_boardReady || !m_tiles || m_undoable.empty()) return false;
  RemovedPair pair = std::move(m_undoable.back());
  m_undoable.pop_back();
  kavelo::logic::UndoFall(m_tiles.get(), pair.fall.data(), pair.fall.size());
  m_tiles[pair.y1 * m_width + pair.x1] = pair.kind1;
  m_tiles[pair.y2 * m_width + pair.x2] = pair.kind2;
  m_tilesLeft += 2;
  --m_pairsRemoved;
  m_score = SubtractWrapping(m_score, pair.scoreStep);
  m_selX = m_selY = -1;
  MarkPath(pair, false);
  m_redoable.push_back(std::move(pair));
  return true;
}

bool CKaveloInternal::Redo() {
  if (!m_boardReady || !m_tiles || m_redoable.empty()) return false;
  RemovedPair pair = std::move(m_redoable.back());
  m_redoable.pop_back();
  RemoveWithFall(pair);
  ++m_pairsRemoved;
  m_score = AddWrapping(m_score, pair.scoreStep);
  m_selX = m_selY = -1;
  MarkPath(pair, true);
  m_undoable.push_back(std::move(pair));
  return true;
}
