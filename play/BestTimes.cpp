#include "BestTimes.h"

#include <algorithm>
#include <charconv>
#include <tuple>

namespace kavelo::play {
namespace {

constexpr std::string_view kFileHeader = "# kavelo-play best times: columns rows kinds copies seconds  time date\n";

auto Key(const BoardOptions& b) { return std::tuple(b.columns, b.rows, b.kinds, b.copies, b.seconds, b.gravity); }

bool IsDate(std::string_view d) {
  if (d.size() != 10 || d[4] != '-' || d[7] != '-') return false;
  for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (d[i] < '0' || d[i] > '9') return false;
  }
  return true;
}

// One line as a win, or false: six numbers within the options' own ranges and a date.
bool ParseLine(std::string_view line, BestTime& out) {
  int values[6];
  const char* p = line.data();
  const char* end = p + line.size();
  for (int& value : values) {
    while (p != end && *p == ' ') ++p;
    const auto [next, ec] = std::from_chars(p, end, value);
    if (ec != std::errc() || next == p || value < 0 || value > 1000000) return false;
    p = next;
  }
  while (p != end && *p == ' ') ++p;
  std::string_view date(p, static_cast<std::size_t>(end - p));
  // A rule variant after the date; none written for the plain rule, as before variants.
  int gravity = 0;
  if (date.size() > 11 && date[10] == ' ') {
    gravity = GravityNamed(date.substr(11));
    date = date.substr(0, 10);
    if (gravity <= 0) return false;
  }
  if (!IsDate(date)) return false;
  out.board = {values[0], values[1], values[2], values[3], values[4], gravity};
  out.seconds = values[5];
  out.date = date;
  return out.board.columns > 0 && out.board.rows > 0 && out.board.kinds > 0 && out.board.seconds > 0 &&
         out.seconds <= out.board.seconds;
}

std::string Ordinal(int n) {
  static const char* const suffixes[] = {"th", "st", "nd", "rd"};
  return std::to_string(n) + suffixes[n >= 1 && n <= 3 ? n : 0];
}

}  // namespace

BestTimes ParseBestTimes(std::string_view text) {
  BestTimes table;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    BestTime win;
    if (ParseLine(line, win)) EnterBestTime(table, win);
  }
  return table;
}

std::string FormatBestTimes(const BestTimes& table) {
  std::string text(kFileHeader);
  for (const BestTime& t : table) {
    const BoardOptions& b = t.board;
    for (int v : {b.columns, b.rows, b.kinds, b.copies, b.seconds}) text += std::to_string(v) + " ";
    text.append(" ").append(std::to_string(t.seconds)).append(" ").append(t.date);
    if (b.gravity > 0) text.append(" ").append(kGravityNames[b.gravity]);
    text.append("\n");
  }
  return text;
}

int EnterBestTime(BestTimes& table, const BestTime& win) {
  // A board's times lie together, boards in order of their options, each best first.
  const auto key = Key(win.board);
  const auto sameBoard = [&](BestTimes::const_iterator t) { return t != table.end() && Key(t->board) == key; };
  auto place = std::find_if(table.begin(), table.end(), [&](const BestTime& t) { return Key(t.board) >= key; });
  const std::ptrdiff_t runStart = place - table.begin();
  int rank = 1;
  for (; sameBoard(place) && place->seconds <= win.seconds; ++place) ++rank;
  if (rank > kBestTimesPerBoard) return 0;
  table.insert(place, win);
  auto cut = table.begin() + runStart;
  for (int kept = 0; sameBoard(cut) && kept < kBestTimesPerBoard; ++kept) ++cut;
  auto end = cut;
  while (sameBoard(end)) ++end;
  table.erase(cut, end);
  return rank;
}

std::vector<BestTime> BoardTimes(const BestTimes& table, const BoardOptions& board) {
  std::vector<BestTime> times;
  for (const BestTime& t : table) {
    if (t.board == board) times.push_back(t);
  }
  return times;
}

std::string ClockText(int seconds) {
  const std::string s = std::to_string(seconds % 60);
  return std::to_string(seconds / 60) + ":" + (s.size() < 2 ? "0" : "") + s;
}

std::string WinText(int seconds, int rank, const std::vector<BestTime>& boardTimes) {
  std::string text = "won in " + ClockText(seconds);
  if (rank == 1) return text + ", the best time";
  if (rank > 1) text += ", " + Ordinal(rank) + " best";
  if (!boardTimes.empty()) text += "; best " + ClockText(boardTimes.front().seconds);
  return text;
}

std::string BestTimesReport(const BestTimes& table, const std::string& where) {
  if (table.empty()) return "No best times yet (" + where + ").\n";
  std::string text = "Best times (" + where + "):\n";
  int rank = 0;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const BoardOptions& b = table[i].board;
    if (i == 0 || !(table[i - 1].board == b)) {
      text += std::to_string(b.columns) + " x " + std::to_string(b.rows) + ", " + std::to_string(b.kinds) +
              " kinds x " + std::to_string(b.copies) + ", " + std::to_string(b.seconds) + " s" +
              (b.gravity > 0 ? std::string(", tiles fall ") + kGravityNames[b.gravity] : "") + ":\n";
      rank = 0;
    }
    text += "  " + std::to_string(++rank) + ".  " + ClockText(table[i].seconds) + "  " + table[i].date + "\n";
  }
  return text;
}

}  // namespace kavelo::play
