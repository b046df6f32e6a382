#pragma once
// What a game of kavelo-play takes from the world besides the player: the time of day,
// for the day's deal, and a fresh number for a new deal. Tests hand in their own.

#include <cstdint>
#include <functional>
#include <optional>

#include "PlaySettings.h"

namespace kavelo::play {

struct PlaySources {
  std::function<std::int64_t()> unixSeconds;  // seconds since 1970-01-01 UTC
  std::function<std::uint64_t()> freshDeal;   // a new game's number
};

// The system's clock, and numbers below a million, short enough to say aloud.
PlaySources SystemSources();

// The deal the settings ask for, --deal's or the day's; none for a fresh one.
std::optional<std::uint64_t> AskedDeal(const PlaySettings& settings, std::int64_t unixSeconds);

}  // namespace kavelo::play
