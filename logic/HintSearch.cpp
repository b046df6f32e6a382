// Finding a pair that the link search would join, without trying pairs.
//
// Every path of more than one step has a middle segment of free cells (for a straight
// path with free cells between its ends, those cells). Such a segment lies in one maximal
// run of free cells along a column or a row, and the ends it can reach are the tiles
// "attached" to that run: the tile just beyond each end of the run, and for every cell of
// the run the nearest tile on either side across it. Any two attached tiles are joined
// through the run, and any joinable pair is attached to a common run, or touching. So it
// is enough to look, per run, for two attached tiles of one kind, and at touching pairs.
#include <cstdint>

#include "logic/KaveloInternal.h"

namespace {

using kavelo::logic::CellPair;
using kavelo::logic::kKindSlots;

constexpr int kMaxSide = 255;  // coordinates are bytes

// Which cell of each kind has touched the current run.
class RunKinds {
 public:
  void NextRun() { ++m_run; }

  // Notes the tile at `cell`; true, with the pair in `pair`, when another cell of its
  // kind touched this run before.
  bool Touch(const std::uint8_t* tiles, int cell, CellPair& pair) {
    const std::uint8_t kind = tiles[cell];
    if (m_seenIn[kind] == m_run && m_cell[kind] != cell) {
      pair = {m_cell[kind], cell};
      return true;
    }
    m_seenIn[kind] = m_run;
    m_cell[kind] = cell;
    return false;
  }

 private:
  std::uint32_t m_run = 1;
  std::uint32_t m_seenIn[kKindSlots] = {};
  int m_cell[kKindSlots] = {};
};

// The grid seen as lines (columns or rows) of positions. A run lies along one line; the
// tiles attached to its cells from the side lie at the same position on other lines.
struct LineView {
  const std::uint8_t* tiles;
  int lines;       // number of lines
  int positions;   // cells per line
  int lineStride;  // element distance between neighbouring lines
  int posStride;   // element distance between neighbouring positions on a line

  int Cell(int line, int pos) const { return line * lineStride + pos * posStride; }
  std::uint8_t At(int line, int pos) const { return tiles[Cell(line, pos)]; }
};

bool FindThroughRuns(const LineView& view, CellPair& pair) {
  // Per position: the nearest line before the current one holding a tile there (-1 for
  // none), and the nearest line after it (view.lines for none).
  int before[kMaxSide];
  int after[kMaxSide];
  for (int pos = 0; pos < view.positions; ++pos) {
    before[pos] = -1;
    int next = 1;
    while (next < view.lines && view.At(next, pos) == 0) ++next;
    after[pos] = next;
  }

  RunKinds kinds;
  for (int line = 0; line < view.lines; ++line) {
    if (line > 0) {
      for (int pos = 0; pos < view.positions; ++pos) {
        if (view.At(line - 1, pos) != 0) before[pos] = line - 1;
        if (after[pos] == line) {
          int next = line + 1;
          while (next < view.lines && view.At(next, pos) == 0) ++next;
          after[pos] = next;
        }
      }
    }
    bool inRun = false;
    for (int pos = 0; pos < view.positions; ++pos) {
      const int cell = view.Cell(line, pos);
      if (view.tiles[cell] != 0) {
        // The tile that closes the run.
        if (inRun && kinds.Touch(view.tiles, cell, pair)) return true;
        inRun = false;
        continue;
      }
      if (!inRun) {
        inRun = true;
        kinds.NextRun();
        if (pos > 0 && kinds.Touch(view.tiles, view.Cell(line, pos - 1), pair)) return true;
      }
      if (before[pos] >= 0 && kinds.Touch(view.tiles, view.Cell(before[pos], pos), pair)) return true;
      if (after[pos] < view.lines && kinds.Touch(view.tiles, view.Cell(after[pos], pos), pair)) return true;
    }
  }
  return false;
}

bool FindTouching(const std::uint8_t* tiles, int width, int height, CellPair& pair) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int cell = y * width + x;
      const std::uint8_t kind = tiles[cell];
      if (kind == 0) continue;
      if (x + 1 < width && tiles[cell + 1] == kind) {
        pair = {cell, cell + 1};
        return true;
      }
      if (y + 1 < height && tiles[cell + width] == kind) {
        pair = {cell, cell + width};
        return true;
      }
    }
  }
  return false;
}

}  // namespace

bool CKaveloInternal::FindHint(CellPair& hint) const {
  if (!m_boardReady || !m_tiles) return false;
  const int width = m_width;
  const int height = m_height;
  const std::uint8_t* tiles = m_tiles.get();
  const LineView columns{tiles, width, height, 1, width};
  const LineView rows{tiles, height, width, width, 1};
  return FindTouching(tiles, width, height, hint) || FindThroughRuns(columns, hint) || FindThroughRuns(rows, hint);
}
