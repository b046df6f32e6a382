#pragma once
// The best times of games won without help: the five fastest wins of each board, with
// their dates, kept in a small text file of one win a line,
//   columns rows kinds copies seconds  time date       e.g. "16 10 36 4 480 92 2025-03-14"
// followed by the rule variant when tiles fall: "16 10 36 4 480 92 2025-03-14 down".
// Lines that do not read as a win are left out; nothing in the file can stop play.

#include <string>
#include <string_view>
#include <vector>

#include "PlaySettings.h"

namespace kavelo::play {

inline constexpr int kBestTimesPerBoard = 5;

struct BestTime {
  BoardOptions board{};
  int seconds = 0;   // game seconds the win took
  std::string date;  // YYYY-MM-DD, local
  bool operator==(const BestTime&) const = default;
};

// Best first within each board; at most kBestTimesPerBoard of each.
using BestTimes = std::vector<BestTime>;

BestTimes ParseBestTimes(std::string_view text);
std::string FormatBestTimes(const BestTimes& table);

// Enters a win and answers its rank among its board's times, 1 for the best, or 0 when
// it is not among the five (the table is then unchanged). A tie ranks after the older.
int EnterBestTime(BestTimes& table, const BestTime& win);
// The board's times, best first.
std::vector<BestTime> BoardTimes(const BestTimes& table, const BoardOptions& board);

// "1:45"
std::string ClockText(int seconds);
// "won in 1:45, 2nd best; best 1:32", from the win's rank and the table after it.
std::string WinText(int seconds, int rank, const std::vector<BestTime>& boardTimes);
// The table for people, board by board; `where` names the file.
std::string BestTimesReport(const BestTimes& table, const std::string& where);

}  // namespace kavelo::play
