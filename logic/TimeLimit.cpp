// The time limit: the seconds used count up to it, and reaching it ends the game.
#include <algorithm>

#include "logic/KaveloInternal.h"

bool CKaveloInternal::AddSeconds(std::uint32_t seconds) {
  // Unsigned arithmetic: a sum past 2^32 wraps, as the seconds arrive from the host.
  m_elapsed = std::min(m_elapsed + seconds, m_timeLimit);
  return m_elapsed >= m_timeLimit;
}
