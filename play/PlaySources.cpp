#include "PlaySources.h"

#include <chrono>
#include <random>

#include "DailyDeal.h"

namespace kavelo::play {

PlaySources SystemSources() {
  PlaySources sources;
  sources.unixSeconds = [] {
    return static_cast<std::int64_t>(
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count());
  };
  sources.freshDeal = [] {
    constexpr std::uint64_t kFreshDeals = 1000000;
    std::uint64_t seed = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    try {
      std::random_device device;
      seed ^= std::uint64_t{device()} << 32 | device();
    } catch (...) {
      // No entropy source: the clock alone still varies from game to game.
    }
    return std::mt19937_64(seed)() % kFreshDeals;
  };
  return sources;
}

std::optional<std::uint64_t> AskedDeal(const PlaySettings& settings, std::int64_t unixSeconds) {
  if (settings.daily) return DailyDealNumber(UtcDate(unixSeconds));
  return settings.deal;
}

}  // namespace kavelo::play
