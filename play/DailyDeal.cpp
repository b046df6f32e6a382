#include "DailyDeal.h"

namespace kavelo::play {
namespace {

// Days of the proleptic Gregorian calendar from the civil date and back, by eras of 400
// years (146097 days), exact over the whole range of 64-bit days.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

std::uint64_t Mix(std::uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

}  // namespace

std::int64_t DaysSinceEpoch(const CivilDate& date) {
  const std::int64_t y = date.year - (date.month <= 2 ? 1 : 0);
  const std::int64_t era = FloorDiv(y, 400);
  const std::int64_t yearOfEra = y - era * 400;
  const std::int64_t dayOfYear = (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

CivilDate UtcDate(std::int64_t unixSeconds) {
  const std::int64_t days = FloorDiv(unixSeconds, 86400) + 719468;
  const std::int64_t era = FloorDiv(days, 146097);
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  return {static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0)), month, day};
}

std::string DateText(const CivilDate& date) {
  char text[16];
  const auto digits = [](char* at, int value, int count) {
    for (int i = count - 1; i >= 0; --i, value /= 10) at[i] = static_cast<char>('0' + value % 10);
  };
  if (date.year < 0 || date.year > 9999) return "0000-00-00";
  digits(text, date.year, 4);
  text[4] = '-';
  digits(text + 5, date.month, 2);
  text[7] = '-';
  digits(text + 8, date.day, 2);
  return std::string(text, 10);
}

bool ReadDate(const std::string& text, CivilDate& date) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  int fields[3] = {0, 0, 0};
  const std::size_t starts[3] = {0, 5, 8}, lengths[3] = {4, 2, 2};
  for (int f = 0; f < 3; ++f) {
    for (std::size_t i = starts[f]; i < starts[f] + lengths[f]; ++i) {
      if (text[i] < '0' || text[i] > '9') return false;
      fields[f] = fields[f] * 10 + (text[i] - '0');
    }
  }
  const CivilDate read{fields[0], fields[1], fields[2]};
  // A date that exists comes back unchanged from its day count.
  if (read.month < 1 || read.month > 12 || read.day < 1 || read.day > 31 ||
      !(UtcDate(DaysSinceEpoch(read) * 86400) == read)) {
    return false;
  }
  date = read;
  return true;
}

std::uint64_t DailyDealNumber(const CivilDate& date) {
  constexpr std::uint64_t kDailySalt = 0x6B6176656C6F6461ULL;  // apart from the numbers players type
  return Mix(static_cast<std::uint64_t>(DaysSinceEpoch(date)) ^ kDailySalt);
}

}  // namespace kavelo::play
