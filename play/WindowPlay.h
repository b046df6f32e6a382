#pragma once
// kavelo-play in a window.

#include "GameKeeper.h"
#include "PlaySettings.h"

namespace kavelo::play {

enum class WindowResult { Quit, NoDisplay, SetUpFailed };

// Plays in a window until the player quits, resuming and keeping the board's game in
// progress and its best times through `keeper`; NoDisplay when no window can be opened.
WindowResult PlayInWindow(const PlaySettings& settings, GameKeeper& keeper);

}  // namespace kavelo::play
