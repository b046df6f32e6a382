#pragma once
// The user's files of one board: its game in progress in the state folder and the best
// times in the data folder. A folder that cannot be read or written costs a warning of
// one line, never the game; a saved game that cannot be used is renamed aside, never
// deleted.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "BestTimes.h"
#include "SavedGame.h"

namespace kavelo::play {

using Warn = std::function<void(const std::string&)>;

class GameKeeper {
 public:
  // Empty folders keep nothing: the system named no place for them.
  GameKeeper(std::filesystem::path stateFolder, std::filesystem::path dataFolder, const BoardOptions& board, Warn warn);

  // This board's saved game, when there is one that reads and decodes; one that does not
  // is set aside.
  std::optional<SavedGame> ReadSavedGame();
  // Renames the saved game to "<name>.bad-<date and time>" and says why.
  void SetAside(const std::string& why);
  void Keep(const SavedGame& saved);
  // A finished game leaves no saved game.
  void Forget();

  // Enters a win without help into the best times and answers the title's words for it.
  std::string RecordWin(int seconds, const std::string& date);
  // The table of every board, for --best.
  std::string Report();

  std::filesystem::path SavedGamePath() const { return m_savedGame; }
  std::filesystem::path BestTimesPath() const { return m_bestTimes; }

 private:
  // false, with a warning, when the file exists but cannot be read.
  bool ReadBestTimes(BestTimes& table);

  std::filesystem::path m_savedGame, m_bestTimes;
  BoardOptions m_board;
  Warn m_warn;
};

// Today's local date, YYYY-MM-DD.
std::string TodayText();

}  // namespace kavelo::play
