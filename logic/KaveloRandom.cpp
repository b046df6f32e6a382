#include "logic/KaveloRandom.h"

int CKaveloRandom::Next() {
  // Unsigned arithmetic wraps at 32 bits, as the generator's state does.
  m_state = m_state * 214013u + 2531011u;
  return static_cast<int>((m_state >> 16) & kMaxValue);
}
