#pragma once
// The days in a row on which the day's deal was won without help, kept beside the best
// times in a text of one line: the last such day and the count, "2026-12-08 3". A text
// that does not read so is no streak; nothing in it can stop play.

#include <string>
#include <string_view>

#include "DailyDeal.h"

namespace kavelo::play {

struct DailyStreak {
  CivilDate lastWon{0, 0, 0};  // the last day won without help; year 0 for none yet
  int days = 0;
  bool operator==(const DailyStreak&) const = default;
};

DailyStreak ParseDailyStreak(std::string_view text);
std::string FormatDailyStreak(const DailyStreak& streak);

// Enters a win without help of `day`'s deal: the streak grows on the day after the last
// one won, stays on the same day (or an earlier one), and starts again at 1 after a gap.
void EnterDailyWin(DailyStreak& streak, const CivilDate& day);
// The streak as it stands on `today`: 0 once a whole day has gone by unwon.
int StreakOn(const DailyStreak& streak, const CivilDate& today);

}  // namespace kavelo::play
