#pragma once
// The score is a 32-bit sum that wraps instead of overflowing, both when a pair adds its
// step and when an undo takes it back.

#include <cstdint>

namespace kavelo::logic {

inline std::int32_t AddWrapping(std::int32_t score, std::int32_t step) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(score) + static_cast<std::uint32_t>(step));
}

inline std::int32_t SubtractWrapping(std::int32_t score, std::int32_t step) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(score) - static_cast<std::uint32_t>(step));
}

}  // namespace kavelo::logic
