#include "GameKeeper.h"

#include <ctime>

namespace kavelo::play {
namespace {

// Far above any saved game (a 255 x 255 board with its whole history) and any table.
constexpr std::size_t kMaxSavedGameBytes = 32u << 20;
constexpr std::size_t kMaxBestTimesBytes = 1u << 20;

std::string LocalTimeText(const char* format) {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  char text[32] = "";
  if (local == nullptr || std::strftime(text, sizeof text, format, local) == 0) return "0000-00-00";
  return text;
}

}  // namespace

std::string TodayText() { return LocalTimeText("%Y-%m-%d"); }

GameKeeper::GameKeeper(PlayStore& store, const BoardOptions& board, Warn warn)
    : m_store(store), m_savedGame(play::SavedGameName(board)), m_board(board), m_warn(std::move(warn)) {}

std::optional<SavedGame> GameKeeper::ReadSavedGame() {
  std::string bytes, error;
  switch (m_store.Read(Shelf::State, m_savedGame, kMaxSavedGameBytes, bytes, error)) {
    case ReadResult::Missing: return std::nullopt;
    case ReadResult::Failed: m_warn("the saved game cannot be read, starting a new one: " + error); return std::nullopt;
    case ReadResult::Read: break;
  }
  std::optional<SavedGame> saved = DecodeSavedGame(bytes, m_board, error);
  if (!saved) SetAside(error);
  return saved;
}

void GameKeeper::SetAside(const std::string& why) {
  const std::string aside = m_savedGame + ".bad-" + LocalTimeText("%Y%m%d-%H%M%S");
  std::string error;
  if (!m_store.Rename(Shelf::State, m_savedGame, aside, error)) {
    m_warn("the saved game " + m_store.Where(Shelf::State, m_savedGame) + " cannot be used (" + why +
           ") nor set aside: " + error);
  } else {
    m_warn("the saved game cannot be used (" + why + "); it is kept as " + m_store.Where(Shelf::State, aside));
  }
}

void GameKeeper::Keep(const SavedGame& saved) {
  std::string error;
  if (!m_store.Replace(Shelf::State, m_savedGame, EncodeSavedGame(saved), error)) {
    m_warn("the game is not saved: " + error);
  }
}

void GameKeeper::Forget() {
  std::string error;
  if (!m_store.Remove(Shelf::State, m_savedGame, error)) {
    m_warn("the finished game's save cannot be removed: " + m_store.Where(Shelf::State, m_savedGame) + ": " + error);
  }
}

bool GameKeeper::ReadRecord(const char* name, const std::string& what, std::string& text) {
  std::string error;
  text.clear();
  if (m_store.Read(Shelf::Data, name, kMaxBestTimesBytes, text, error) == ReadResult::Failed) {
    m_warn(what + " cannot be read: " + error);
    return false;
  }
  return true;
}

bool GameKeeper::ReadBestTimes(BestTimes& table) {
  std::string text;
  const bool read = ReadRecord(kBestTimesName, "the best times", text);
  table = ParseBestTimes(text);
  return read;
}

std::string GameKeeper::RecordWin(int seconds, const std::string& date) {
  BestTimes table;
  // A table that cannot be read is not written over: the old times stay.
  if (!ReadBestTimes(table)) return WinText(seconds, 0, {});
  const int rank = EnterBestTime(table, {m_board, seconds, date});
  std::string error;
  if (rank > 0 && !m_store.Replace(Shelf::Data, kBestTimesName, FormatBestTimes(table), error)) {
    m_warn("the best time is not kept: " + error);
  }
  return WinText(seconds, rank, BoardTimes(table, m_board));
}

std::string GameKeeper::StreakName() const {
  // Each rule variant keeps its own streak; the plain rule's keeps the plain name.
  return std::string(kDailyStreakName) + (m_board.gravity > 0 ? std::string("-") + kGravityNames[m_board.gravity] : "");
}

bool GameKeeper::ReadDailyStreak(DailyStreak& streak) {
  std::string text;
  const bool read = ReadRecord(StreakName().c_str(), "the daily streak", text);
  streak = ParseDailyStreak(text);
  return read;
}

int GameKeeper::RecordDailyWin(const CivilDate& day) {
  DailyStreak streak;
  // A record that cannot be read is not written over.
  if (!ReadDailyStreak(streak)) return 0;
  const DailyStreak before = streak;
  EnterDailyWin(streak, day);
  std::string error;
  if (!(streak == before) && !m_store.Replace(Shelf::Data, StreakName(), FormatDailyStreak(streak), error)) {
    m_warn("the daily streak is not kept: " + error);
  }
  return StreakOn(streak, day);
}

int GameKeeper::DailyStreakOn(const CivilDate& today) {
  DailyStreak streak;
  ReadDailyStreak(streak);
  return StreakOn(streak, today);
}

std::string GameKeeper::Report() {
  BestTimes table;
  ReadBestTimes(table);
  const std::string where = m_store.Where(Shelf::Data, kBestTimesName);
  return BestTimesReport(table, where.empty() ? "no data folder" : where);
}

}  // namespace kavelo::play
