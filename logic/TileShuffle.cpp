// Shuffling the tiles in place. Every step seeds the generator again with a value drawn
// in the step before, starting from one of the two clocks (or a numbered deal's stream).
#include <cstddef>
#include <utility>

#include "logic/KaveloInternal.h"
#include "logic/TileCompaction.h"

namespace {

constexpr int kPasses = 4;          // the scattering and spreading repeat their walk this often
constexpr int kWalkSteps = 500;     // swaps per pass of a walk
constexpr int kMixSteps = 2000;     // swaps of the kind mixing

}  // namespace

void CKaveloInternal::Shuffle(std::uint8_t mode) {
  if (!m_boardReady || !m_tiles) return;
  if (mode >= ShuffleScatter && mode <= ShuffleSpread) ForgetMoves();
  switch (mode) {
    case ShuffleScatter:
      ScatterCorner();
      break;
    case ShuffleMix:
      MixOccupied();
      break;
    case ShuffleCompact:
    case ShuffleSpread:
      if (!kavelo::logic::CompactIntoInterior(m_tiles.get(), m_width, m_height, m_shuffleScratch.get())) return;
      MixOccupied();
      if (mode == ShuffleSpread) SpreadInterior();
      break;
    default:
      return;
  }
  if (m_solvableShuffles) DealClearableKinds();
}

// Draws are at most 32767, so on grids of more cells the later ones never take part.
void CKaveloInternal::ScatterCorner() {
  const int cells = m_width * m_height;
  for (int pass = 0; pass < kPasses; ++pass) {
    std::uint32_t seed = TickSeed();
    for (int step = 0; step < kWalkSteps; ++step) {
      m_random.Seed(seed);
      seed = static_cast<std::uint32_t>(m_random.Next());
      const int j = m_random.Next() % cells;
      std::swap(m_tiles[0], m_tiles[j]);
    }
  }
}

// The first occupied cell trades kinds with random occupied cells; the pattern of
// occupied and empty cells stays.
void CKaveloInternal::MixOccupied() {
  const int cells = m_width * m_height;
  m_random.Seed(CalendarSeed());
  std::uint32_t seed = static_cast<std::uint32_t>(m_random.Next());
  int first = 0;
  while (first < cells && m_tiles[first] == 0) ++first;
  if (first == cells) return;
  for (int step = 0; step < kMixSteps; ++step) {
    m_random.Seed(seed);
    seed = static_cast<std::uint32_t>(m_random.Next());
    const int j = m_random.Next() % cells;
    if (m_tiles[j] != 0) std::swap(m_tiles[first], m_tiles[j]);
  }
}

// The interior cell (1, 1) trades contents, empty or not, with random interior cells,
// so that the gaps the compaction left at the end move too.
void CKaveloInternal::SpreadInterior() {
  const int innerWidth = m_width - 2;
  const int innerHeight = m_height - 2;
  std::uint8_t& corner = m_tiles[m_width + 1];
  for (int pass = 0; pass < kPasses; ++pass) {
    std::uint32_t seed = TickSeed();
    for (int step = 0; step < kWalkSteps; ++step) {
      m_random.Seed(seed);
      const int x = 1 + m_random.Next() % innerWidth;
      const int y = 1 + m_random.Next() % innerHeight;
      std::swap(corner, m_tiles[y * m_width + x]);
      seed = static_cast<std::uint32_t>(m_random.Next());
    }
  }
}
