#pragma once
// What kavelo-play does on every platform between its command line and the game: the
// options read, --best answered, options the artwork or board cannot honour refused.

#include <functional>
#include <string>

#include "GameKeeper.h"
#include "PlaySettings.h"

namespace kavelo::play {

// The platform's part: plays the game set up by `settings` and gives the exit status.
using PlayGame = std::function<int(const PlaySettings& settings, GameKeeper& keeper)>;

// Reads the arguments after the program's name and either answers at once (usage, errors,
// --best, refused options) or hands over to `play`; returns the exit status.
int RunPlayer(int argc, char** argv, const std::string& defaultArtDir, const PlayGame& play);

// One line on stderr, prefixed with the program's name.
void WarnOnStderr(const std::string& warning);
// The message and exit status of a set-up the artwork could not serve.
int SetUpFailed(const PlaySettings& settings);
// Lets the game play itself and prints how it went; returns the exit status.
int PlayHeadlessAndReport(const PlaySettings& settings);

}  // namespace kavelo::play
