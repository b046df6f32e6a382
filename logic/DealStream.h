#pragma once
// The random numbers of a numbered deal: SplitMix64 over a counter of draws. Only
// unsigned 64-bit arithmetic goes into it, whose results the language fixes, so the
// n-th draw of a number is the same on every platform, and a saved game resumes the
// stream from its count of draws.

#include <cstdint>

class DealStream {
 public:
  explicit DealStream(std::uint64_t number, std::uint64_t drawn = 0) : m_number(number), m_drawn(drawn) {}

  std::uint64_t Next() {
    std::uint64_t z = m_number + ++m_drawn * 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // A 32-bit seed for the shuffles that seed from a clock: the draw's high half.
  std::uint32_t NextSeed() { return static_cast<std::uint32_t>(Next() >> 32); }

  std::uint64_t Number() const { return m_number; }
  std::uint64_t Drawn() const { return m_drawn; }

 private:
  std::uint64_t m_number;
  std::uint64_t m_drawn;  // draws so far
};
