#pragma once
// The board's own random numbers: the classic runtime's linear congruential generator,
// seeded and drawn one value at a time, values 0 to 32767. It is the board's, never the
// C library's global generator, which belongs to the host.

#include <cstdint>

class CKaveloRandom {
 public:
  static constexpr int kMaxValue = 0x7FFF;  // the classic range: draws never exceed 32767

  void Seed(std::uint32_t seed) { m_state = seed; }
  int Next();

 private:
  std::uint32_t m_state = 1;  // the classic runtime starts as if seeded with 1
};
