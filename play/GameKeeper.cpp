#include "GameKeeper.h"

#include <ctime>
#include <system_error>

#include "WholeFiles.h"

namespace kavelo::play {
namespace fs = std::filesystem;

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

GameKeeper::GameKeeper(fs::path stateFolder, fs::path dataFolder, const BoardOptions& board, Warn warn)
    : m_savedGame(stateFolder.empty() ? fs::path() : stateFolder / SavedGameName(board)),
      m_bestTimes(dataFolder.empty() ? fs::path() : dataFolder / "best-times"),
      m_board(board),
      m_warn(std::move(warn)) {}

std::optional<SavedGame> GameKeeper::ReadSavedGame() {
  if (m_savedGame.empty()) return std::nullopt;
  std::string bytes, error;
  switch (ReadWholeFile(m_savedGame, kMaxSavedGameBytes, bytes, error)) {
    case ReadResult::Missing: return std::nullopt;
    case ReadResult::Failed: m_warn("the saved game cannot be read, starting a new one: " + error); return std::nullopt;
    case ReadResult::Read: break;
  }
  std::optional<SavedGame> saved = DecodeSavedGame(bytes, m_board, error);
  if (!saved) SetAside(error);
  return saved;
}

void GameKeeper::SetAside(const std::string& why) {
  fs::path aside = m_savedGame;
  aside += ".bad-" + LocalTimeText("%Y%m%d-%H%M%S");
  std::error_code ec;
  fs::rename(m_savedGame, aside, ec);
  if (ec) {
    m_warn("the saved game " + Utf8Text(m_savedGame) + " cannot be used (" + why + ") nor set aside: " + ec.message());
  } else {
    m_warn("the saved game cannot be used (" + why + "); it is kept as " + Utf8Text(aside));
  }
}

void GameKeeper::Keep(const SavedGame& saved) {
  if (m_savedGame.empty()) return m_warn("the game is not saved: no state folder (HOME is not set)");
  std::string error;
  if (!ReplaceWholeFile(m_savedGame, EncodeSavedGame(saved), error)) m_warn("the game is not saved: " + error);
}

void GameKeeper::Forget() {
  if (m_savedGame.empty()) return;
  std::error_code ec;
  fs::remove(m_savedGame, ec);
  if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory) {
    m_warn("the finished game's save cannot be removed: " + Utf8Text(m_savedGame) + ": " + ec.message());
  }
}

bool GameKeeper::ReadBestTimes(BestTimes& table) {
  table.clear();
  if (m_bestTimes.empty()) return true;
  std::string text, error;
  if (ReadWholeFile(m_bestTimes, kMaxBestTimesBytes, text, error) == ReadResult::Failed) {
    m_warn("the best times cannot be read: " + error);
    return false;
  }
  table = ParseBestTimes(text);
  return true;
}

std::string GameKeeper::RecordWin(int seconds, const std::string& date) {
  BestTimes table;
  // A table that cannot be read is not written over: the old times stay.
  if (!ReadBestTimes(table)) return WinText(seconds, 0, {});
  const int rank = EnterBestTime(table, {m_board, seconds, date});
  std::string error;
  if (m_bestTimes.empty()) {
    m_warn("the best time is not kept: no data folder (HOME is not set)");
  } else if (rank > 0 && !ReplaceWholeFile(m_bestTimes, FormatBestTimes(table), error)) {
    m_warn("the best time is not kept: " + error);
  }
  return WinText(seconds, rank, BoardTimes(table, m_board));
}

std::string GameKeeper::Report() {
  BestTimes table;
  ReadBestTimes(table);
  return BestTimesReport(table, m_bestTimes.empty() ? "no data folder" : Utf8Text(m_bestTimes));
}

}  // namespace kavelo::play
