// Shuffles that leave a board that can be cleared: the mode places the tiles, then the
// kinds are dealt over those cells along a clearing order. With a kind of odd count, or
// no order found, the board gets at least one pair that links, if it had none.
#include "logic/ClearableDeal.h"
#include "logic/KaveloInternal.h"

void CKaveloInternal::DealClearableKinds() {
  std::mt19937_64 random(ClearableSeed());
  if (kavelo::logic::DealClearable(m_tiles.get(), m_width, m_height, m_gravity, random)) return;
  kavelo::logic::CellPair hint;
  if (!FindHint(hint)) kavelo::logic::GiveOneLinkedPair(m_tiles.get(), m_width, m_height, random);
}
