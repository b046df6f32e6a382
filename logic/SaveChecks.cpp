// Whether a board read back from a saved game could have been left by play: the tiles
// against what was dealt, the counters against the tiles, the selection, the trail, and
// the undo and redo history replayed on copies of the grid.
#include <algorithm>
#include <cstddef>

#include "logic/KaveloInternal.h"

CKaveloInternal::KindCounts CKaveloInternal::CountKinds(const std::uint8_t* grid) const {
  KindCounts counts(kavelo::logic::kKindSlots, 0);
  const std::size_t cells = static_cast<std::size_t>(m_width) * m_height;
  for (std::size_t i = 0; i < cells; ++i) ++counts[grid[i]];
  return counts;
}

// Pairs leave together and shuffles only move tiles, so each kind keeps the parity it was
// dealt with: a kind dealt an odd number of times (its copies odd, or the last kind cut
// short by the interior) has an odd count all game long.
bool CKaveloInternal::TilesAgree(const KindCounts& dealt, std::int32_t dealtTiles) const {
  const KindCounts counts = CountKinds(m_tiles.get());
  std::int32_t tiles = 0;
  for (int kind = 1; kind < kavelo::logic::kKindSlots; ++kind) {
    if (counts[kind] > dealt[kind] || (dealt[kind] - counts[kind]) % 2 != 0) return false;
    tiles += counts[kind];
  }
  return tiles == m_tilesLeft && m_pairsRemoved == (dealtTiles - tiles) / 2;
}

// A click selects a tile and every move that empties cells drops the selection; only a
// shuffle, which forgets the history, can leave it on an empty cell.
bool CKaveloInternal::SelectionAgrees() const {
  if (m_selX == -1 && m_selY == -1) return true;
  if (!InGrid(m_selX, m_selY)) return false;
  return TileAt(m_selX, m_selY) != 0 || (m_undoable.empty() && m_redoable.empty());
}

bool CKaveloInternal::TrailInRange() const {
  const int most = std::min<int>(m_trailFrames, kMaxTrailFrames);
  const std::size_t cells = static_cast<std::size_t>(m_width) * m_height;
  return std::all_of(m_trail.get(), m_trail.get() + cells, [most](std::int8_t v) { return v >= 0 && v <= most; });
}

bool CKaveloInternal::PairInRange(const RemovedPair& pair) const {
  const kavelo::logic::PathCorners& path = pair.path;
  return InGrid(pair.x1, pair.y1) && InGrid(pair.x2, pair.y2) && (pair.x1 != pair.x2 || pair.y1 != pair.y2) &&
         pair.kind1 == pair.kind2 && pair.kind1 >= 1 && pair.kind1 <= m_kindCount &&
         InGrid(path.turnX1, path.turnY1) && InGrid(path.turnX2, path.turnY2);
}

// The search is the board's own, so a pair that was linked on this grid is found along
// the same corners again.
bool CKaveloInternal::LinksAlongPath(const std::vector<std::uint8_t>& grid, const RemovedPair& pair) const {
  kavelo::logic::PathCorners found;
  if (!kavelo::logic::FindCellPath({grid.data(), m_width, m_height}, pair.x1, pair.y1, pair.x2, pair.y2, found)) {
    return false;
  }
  const kavelo::logic::PathCorners& kept = pair.path;
  return found.straight == kept.straight && found.turnX1 == kept.turnX1 && found.turnY1 == kept.turnY1 &&
         found.turnX2 == kept.turnX2 && found.turnY2 == kept.turnY2;
}

// A fall only moves tiles into free cells, so taken back move by move, latest first, each
// move leaves a tile's cell for a free one. Replayed forward from the grid it started on,
// the pair's removal must then make the very same moves.
bool CKaveloInternal::FallsAsRecorded(std::vector<std::uint8_t>& grid, const RemovedPair& pair) const {
  const int a = pair.y1 * m_width + pair.x1;
  const int b = pair.y2 * m_width + pair.x2;
  grid[a] = grid[b] = 0;
  std::vector<kavelo::logic::TileMove> fall;
  kavelo::logic::SettleAfterRemoval(grid.data(), m_width, m_height, m_gravity, {a, b}, fall);
  return fall == pair.fall;
}

// The history is one line of removals: the undoable ones in order led to this grid, and
// the redoable ones, latest first, follow it. Each is checked on the grid it was linked on,
// and its fall against the one the variant makes.
bool CKaveloInternal::HistoryReplays(const KindCounts& dealt) const {
  if (m_undoable.size() > static_cast<std::size_t>(std::max<int>(m_pairsRemoved, 0))) return false;
  const std::size_t cells = static_cast<std::size_t>(m_width) * m_height;
  std::vector<std::uint8_t> grid(m_tiles.get(), m_tiles.get() + cells);
  const auto cell = [&](int x, int y) -> std::uint8_t& { return grid[static_cast<std::size_t>(y) * m_width + x]; };
  for (auto pair = m_undoable.rbegin(); pair != m_undoable.rend(); ++pair) {
    for (auto move = pair->fall.rbegin(); move != pair->fall.rend(); ++move) {
      if (grid[move->to] == 0 || grid[move->from] != 0) return false;
      kavelo::logic::UndoFall(grid.data(), &*move, 1);
    }
    if (!PairInRange(*pair) || cell(pair->x1, pair->y1) != 0 || cell(pair->x2, pair->y2) != 0) return false;
    cell(pair->x1, pair->y1) = pair->kind1;
    cell(pair->x2, pair->y2) = pair->kind2;
    if (!LinksAlongPath(grid, *pair)) return false;
    // Forward again and back: the check leaves the grid as it was before the pair left.
    if (!FallsAsRecorded(grid, *pair)) return false;
    kavelo::logic::UndoFall(grid.data(), pair->fall.data(), pair->fall.size());
    cell(pair->x1, pair->y1) = pair->kind1;
    cell(pair->x2, pair->y2) = pair->kind2;
  }
  const KindCounts before = CountKinds(grid.data());
  for (int kind = 1; kind < kavelo::logic::kKindSlots; ++kind) {
    if (before[kind] > dealt[kind]) return false;
  }
  grid.assign(m_tiles.get(), m_tiles.get() + cells);
  for (auto pair = m_redoable.rbegin(); pair != m_redoable.rend(); ++pair) {
    if (!PairInRange(*pair) || cell(pair->x1, pair->y1) != pair->kind1 || cell(pair->x2, pair->y2) != pair->kind2 ||
        !LinksAlongPath(grid, *pair) || !FallsAsRecorded(grid, *pair)) {
      return false;
    }
  }
  return true;
}
