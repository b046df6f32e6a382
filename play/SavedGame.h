#pragma once
// The file that keeps a game in progress between two runs: a short text header of its
// own (what it is, the board options, whether help was used) and then the plug-in's
// saved bytes, which the plug-in checks itself when they are loaded.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PlaySettings.h"

namespace kavelo::play {

struct SavedGame {
  BoardOptions board{};
  bool helpUsed = false;  // a hint or undo was used: a win will not count as a best time
  std::vector<unsigned char> game;  // CKaveloFather::SaveGame's bytes
};

// "game-16x10-k36-c4-s480": each board keeps its own game in progress.
std::string SavedGameName(const BoardOptions& board);

std::string EncodeSavedGame(const SavedGame& saved);
// The saved game in `file`, or nothing and the reason in `why`: another program's file,
// another version of this one, a header that does not parse or another board.
std::optional<SavedGame> DecodeSavedGame(std::string_view file, const BoardOptions& board, std::string& why);

}  // namespace kavelo::play
