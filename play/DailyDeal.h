#pragma once
// The day's deal: one number a day, taken from the date in UTC, so that everyone plays
// the same board that day whatever the platform or the time zone.

#include <cstdint>
#include <string>

namespace kavelo::play {

struct CivilDate {
  int year, month, day;
  bool operator==(const CivilDate&) const = default;
};

// The date in UTC at `unixSeconds` (seconds since 1970-01-01 00:00 UTC).
CivilDate UtcDate(std::int64_t unixSeconds);
// Days from 1970-01-01 to `date`, negative before it.
std::int64_t DaysSinceEpoch(const CivilDate& date);
// "2026-12-08"
std::string DateText(const CivilDate& date);
// "2026-12-08" as a date, false for anything else (a month 13, a 30 February).
bool ReadDate(const std::string& text, CivilDate& date);

// The day's deal number: the day mixed so that the next day's board cannot be told from
// this one's number, yet the same on every platform.
std::uint64_t DailyDealNumber(const CivilDate& date);

}  // namespace kavelo::play
