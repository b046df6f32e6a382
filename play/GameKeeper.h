#pragma once
// The player's records of one board: its game in progress on the state shelf and the
// best times on the data shelf. A store that cannot be read or written costs a warning
// of one line, never the game; a saved game that cannot be used is set aside under
// another name, never deleted.

#include <functional>
#include <optional>
#include <string>

#include "BestTimes.h"
#include "DailyStreak.h"
#include "PlayStore.h"
#include "SavedGame.h"

namespace kavelo::play {

using Warn = std::function<void(const std::string&)>;

inline constexpr char kBestTimesName[] = "best-times";
inline constexpr char kDailyStreakName[] = "daily-streak";

class GameKeeper {
 public:
  GameKeeper(PlayStore& store, const BoardOptions& board, Warn warn);

  // This board's saved game, when there is one that reads and decodes; one that does not
  // is set aside.
  std::optional<SavedGame> ReadSavedGame();
  // Renames the saved game to "<name>.bad-<date and time>" and says why.
  void SetAside(const std::string& why);
  void Keep(const SavedGame& saved);
  // A finished game leaves no saved game.
  void Forget();

  // Enters a win without help into the best times and answers the words for it.
  std::string RecordWin(int seconds, const std::string& date);
  // Enters a win without help of `day`'s deal into the streak and answers the streak.
  int RecordDailyWin(const CivilDate& day);
  // The streak as it stands on `today`.
  int DailyStreakOn(const CivilDate& today);

  // The table of every board, for --best.
  std::string Report();

  std::string SavedGameName() const { return m_savedGame; }

 private:
  // false, with a warning, when the record exists but cannot be read.
  bool ReadRecord(const char* name, const std::string& what, std::string& text);
  bool ReadBestTimes(BestTimes& table);
  bool ReadDailyStreak(DailyStreak& streak);
  std::string StreakName() const;

  PlayStore& m_store;
  std::string m_savedGame;
  BoardOptions m_board;
  Warn m_warn;
};

// Today's local date, YYYY-MM-DD.
std::string TodayText();

}  // namespace kavelo::play
