// Clearable dealing: play a game on the occupied cells with every tile matching every
// other, then hand the pairs of that game the kinds. Links and falls depend on which cells
// are occupied, never on kinds, so the dealt grid goes through the same positions as the
// game did, and the game's order clears it. Under gravity the game keeps, per cell, the
// cell its tile stood on at the start, so each pair's kind lands on the tiles' first cells.
// Partners are drawn at random among the tiles that have a free side, so pairs spread over
// the grid instead of tiling it with neighbours.
#include "logic/ClearableDeal.h"

#include <algorithm>
#include <array>

#include "logic/CellLinks.h"

namespace kavelo::logic {
namespace {

constexpr long kMaxPairScan = 1L << 16;  // link tests of the last resort, per removal

// Cells in a set with constant-time adding, removing and random picking.
class CellSet {
 public:
  explicit CellSet(std::size_t cells) : m_where(cells, -1) {}
  void Add(int cell) {
    if (m_where[cell] >= 0) return;
    m_where[cell] = static_cast<int>(m_items.size());
    m_items.push_back(cell);
  }
  void Remove(int cell) {
    const int at = m_where[cell];
    if (at < 0) return;
    m_items[at] = m_items.back();
    m_where[m_items[at]] = at;
    m_items.pop_back();
    m_where[cell] = -1;
  }
  int Size() const { return static_cast<int>(m_items.size()); }
  int At(int i) const { return m_items[i]; }
  int Random(std::mt19937_64& random) const { return m_items[random() % m_items.size()]; }

 private:
  std::vector<int> m_items;
  std::vector<int> m_where;  // per cell: its place in m_items, -1 when absent
};

class Pairer {
 public:
  Pairer(const GridView& grid, Gravity gravity)
      : m_width(grid.width), m_height(grid.height), m_gravity(gravity),
        m_cells(grid.cells, grid.cells + static_cast<std::size_t>(grid.width) * grid.height),
        m_origin(m_cells.size()), m_seen(m_cells.size(), 0), m_tiles(m_cells.size()), m_exposed(m_cells.size()) {
    for (int cell = 0; cell < static_cast<int>(m_cells.size()); ++cell) {
      m_origin[cell] = cell;
      if (m_cells[cell] == 0) continue;
      m_tiles.Add(cell);
      for (int n : Neighbours(cell)) {
        if (n >= 0 && m_cells[n] == 0) m_exposed.Add(cell);
      }
    }
  }

  int TilesLeft() const { return m_tiles.Size(); }

  bool Pick(std::mt19937_64& random, CellPair& pair) const {
    for (int pick = 0; pick < kPairPicks && m_exposed.Size() > 1; ++pick) {
      const int a = m_exposed.Random(random);
      for (int t = 0; t < kPartnerTries; ++t) {
        const int b = m_exposed.Random(random);
        if (b == a || Touching(a, b) || !Links(a, b)) continue;
        pair = {a, b};
        return true;
      }
    }
    // Touching tiles always link.
    const int start = m_tiles.Size() > 0 ? static_cast<int>(random() % m_tiles.Size()) : 0;
    for (int i = 0; i < m_tiles.Size(); ++i) {
      const int a = m_tiles.At((start + i) % m_tiles.Size());
      for (int n : Neighbours(a)) {
        if (n < 0 || m_cells[n] == 0) continue;
        pair = {a, n};
        return true;
      }
    }
    long tests = 0;
    for (int i = 0; i < m_exposed.Size(); ++i) {
      for (int j = i + 1; j < m_exposed.Size() && tests < kMaxPairScan; ++j, ++tests) {
        if (!Links(m_exposed.At(i), m_exposed.At(j))) continue;
        pair = {m_exposed.At(i), m_exposed.At(j)};
        return true;
      }
    }
    return false;
  }

  // Removes the pair and lets the tiles fall; answers the pair by the tiles' first cells.
  CellPair Take(const CellPair& pair) {
    const CellPair first{m_origin[pair.a], m_origin[pair.b]};
    for (int cell : {pair.a, pair.b}) {
      m_cells[cell] = 0;
      m_tiles.Remove(cell);
      m_exposed.Remove(cell);
    }
    for (int cell : {pair.a, pair.b}) {
      for (int n : Neighbours(cell)) {
        if (n >= 0 && m_cells[n] != 0) m_exposed.Add(n);
      }
    }
    m_fall.clear();
    SettleAfterRemoval(m_cells.data(), m_width, m_height, m_gravity, pair, m_fall);
    for (const TileMove& move : m_fall) {
      m_origin[move.to] = m_origin[move.from];
      m_tiles.Remove(move.from);
      m_tiles.Add(move.to);
    }
    // Exposure changes only at the cells the fall filled or emptied and beside them; the
    // fall's cells overlap, so each is looked at once.
    if (!m_fall.empty() && ++m_stamp == 0) std::fill(m_seen.begin(), m_seen.end(), m_stamp++);
    for (const TileMove& move : m_fall) {
      for (int cell : {move.from, move.to}) {
        ExposeOnce(cell);
        for (int n : Neighbours(cell)) {
          if (n >= 0) ExposeOnce(n);
        }
      }
    }
    return first;
  }

 private:
  // The four neighbours of a cell, -1 beyond the grid.
  std::array<int, 4> Neighbours(int cell) const {
    const int x = cell % m_width, y = cell / m_width;
    return {x > 0 ? cell - 1 : -1, x + 1 < m_width ? cell + 1 : -1, y > 0 ? cell - m_width : -1,
            y + 1 < m_height ? cell + m_width : -1};
  }
  void ExposeOnce(int cell) {
    if (m_seen[cell] == m_stamp) return;
    m_seen[cell] = m_stamp;
    Expose(cell);
  }
  // Brings the cell's place in the exposed set up to date after a fall.
  void Expose(int cell) {
    bool open = false;
    for (int n : Neighbours(cell)) open = open || (n >= 0 && m_cells[n] == 0);
    if (m_cells[cell] != 0 && open) {
      m_exposed.Add(cell);
    } else {
      m_exposed.Remove(cell);
    }
  }
  bool Touching(int a, int b) const {
    const auto n = Neighbours(a);
    return std::find(n.begin(), n.end(), b) != n.end();
  }
  bool Links(int a, int b) const {
    return CellsLink({m_cells.data(), m_width, m_height}, a % m_width, a / m_width, b % m_width, b / m_width);
  }

  int m_width;
  int m_height;
  Gravity m_gravity;
  std::vector<std::uint8_t> m_cells;  // the working copy: 0 free, else a tile
  std::vector<int> m_origin;          // per cell holding a tile: the cell it stood on at the start
  std::vector<TileMove> m_fall;       // the last removal's fall
  std::vector<std::uint32_t> m_seen;  // per cell: the last fall whose exposure update looked at it
  std::uint32_t m_stamp = 0;
  CellSet m_tiles;
  CellSet m_exposed;  // tiles with a free side
};

struct KindCount {
  std::uint8_t kind;
  int tiles;
};

// The kinds on the grid, in kind order, with their numbers of tiles.
std::vector<KindCount> CountKinds(const std::uint8_t* tiles, std::size_t cells) {
  std::array<int, kKindSlots> counts{};
  for (std::size_t i = 0; i < cells; ++i) ++counts[tiles[i]];
  std::vector<KindCount> kinds;
  for (int kind = 1; kind < kKindSlots; ++kind) {
    if (counts[kind] > 0) kinds.push_back({static_cast<std::uint8_t>(kind), counts[kind]});
  }
  return kinds;
}

}  // namespace

bool PairInClearingOrder(const GridView& grid, Gravity gravity, std::mt19937_64& random, std::vector<CellPair>& order) {
  for (int attempt = 0; attempt < kDealAttempts; ++attempt) {
    Pairer pairer(grid, gravity);
    order.clear();
    CellPair pair;
    while (pairer.TilesLeft() > 1 && pairer.Pick(random, pair)) order.push_back(pairer.Take(pair));
    if (pairer.TilesLeft() == 0) return true;
  }
  order.clear();
  return false;
}

bool DealClearable(std::uint8_t* tiles, int width, int height, Gravity gravity, std::mt19937_64& random) {
  std::vector<std::uint8_t> pairKinds;
  for (const KindCount& k : CountKinds(tiles, static_cast<std::size_t>(width) * height)) {
    if (k.tiles % 2 != 0) return false;
    pairKinds.insert(pairKinds.end(), k.tiles / 2, k.kind);
  }
  std::vector<CellPair> order;
  if (!PairInClearingOrder({tiles, width, height}, gravity, random, order)) return false;
  // Fisher and Yates by hand: std::shuffle's draws differ between standard libraries.
  for (std::size_t i = pairKinds.size(); i > 1; --i) std::swap(pairKinds[i - 1], pairKinds[random() % i]);
  for (std::size_t i = 0; i < order.size(); ++i) tiles[order[i].a] = tiles[order[i].b] = pairKinds[i];
  return true;
}

bool GiveOneLinkedPair(std::uint8_t* tiles, int width, int height, std::mt19937_64& random) {
  const std::size_t cells = static_cast<std::size_t>(width) * height;
  std::vector<std::uint8_t> kinds;
  for (const KindCount& k : CountKinds(tiles, cells)) {
    if (k.tiles >= 2) kinds.push_back(k.kind);
  }
  CellPair pair;
  if (kinds.empty() || !Pairer({tiles, width, height}, Gravity::None).Pick(random, pair)) return false;
  const std::uint8_t kind = kinds[random() % kinds.size()];
  // Bring two tiles of the kind to the pair's cells, the first without taking the second's.
  for (const auto& [cell, keep] : {std::pair{pair.a, pair.b}, std::pair{pair.b, pair.a}}) {
    if (tiles[cell] == kind) continue;
    for (std::size_t other = 0; other < cells; ++other) {
      if (tiles[other] != kind || static_cast<int>(other) == keep) continue;
      std::swap(tiles[cell], tiles[other]);
      break;
    }
  }
  return true;
}

}  // namespace kavelo::logic
