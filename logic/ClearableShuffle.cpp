// Shuffles that leave a board that can be cleared: the mode places the tiles, then the
// kinds are dealt over those cells along a clearing order. With a kind of odd count, or
// no order found, the board gets at least one pair that links, if it had none.
#include "logic/ClearableDeal.h"
#include "logic/KaveloInternal.h"

void CKaveloInternal::DealClearableKinds() {
  const std::uint64_t seed = (std::uint64_t{m_clocks.calendarSeconds()} << 32 | m_clocks.tickMs()) ^
                             (++m_dealCount * 0x9E3779B97F4A7C15ULL);
  std::mt19937_64 random(seed);
  if (kavelo::logic::DealClearable(m_tiles.get(), m_width, m_height, random)) return;
  kavelo::logic::CellPair hint;
  if (!FindHint(hint)) kavelo::logic::GiveOneLinkedPair(m_tiles.get(), m_width, m_height, random);
}
