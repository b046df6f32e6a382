#pragma once
// kavelo-play in a window.

#include "PlaySettings.h"

namespace kavelo::play {

enum class WindowResult { Quit, NoDisplay, SetUpFailed };

// Plays in an SDL window until the player quits; NoDisplay when no window can be opened.
WindowResult PlayInWindow(const PlaySettings& settings);

}  // namespace kavelo::play
