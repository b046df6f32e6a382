#include "DailyStreak.h"

#include <charconv>

namespace kavelo::play {

DailyStreak ParseDailyStreak(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  DailyStreak streak;
  CivilDate day{};
  if (text.size() < 12 || text[10] != ' ' || !ReadDate(std::string(text.substr(0, 10)), day)) return {};
  const std::string_view count = text.substr(11);
  int days = 0;
  const auto [end, ec] = std::from_chars(count.data(), count.data() + count.size(), days);
  // No streak outgrows the days since the calendar began.
  if (ec != std::errc() || end != count.data() + count.size() || days < 1 || days > 4000000) return {};
  streak.lastWon = day;
  streak.days = days;
  return streak;
}

std::string FormatDailyStreak(const DailyStreak& streak) {
  if (streak.days <= 0) return "";
  return DateText(streak.lastWon) + " " + std::to_string(streak.days) + "\n";
}

void EnterDailyWin(DailyStreak& streak, const CivilDate& day) {
  const std::int64_t gap = streak.days > 0 ? DaysSinceEpoch(day) - DaysSinceEpoch(streak.lastWon) : -1;
  // A day before the last one won (a clock set back) leaves the streak as it was.
  if (streak.days > 0 && gap <= 0) return;
  streak.days = gap == 1 ? streak.days + 1 : 1;
  streak.lastWon = day;
}

int StreakOn(const DailyStreak& streak, const CivilDate& today) {
  if (streak.days <= 0) return 0;
  const std::int64_t gap = DaysSinceEpoch(today) - DaysSinceEpoch(streak.lastWon);
  return gap == 0 || gap == 1 ? streak.days : 0;
}

}  // namespace kavelo::play
