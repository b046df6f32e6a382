#pragma once
// Options the artwork or the board cannot honour, found before a game starts, so that the
// player learns which option to change rather than that the set-up failed.

#include <string>

#include "PlaySettings.h"

namespace kavelo::play {

// tile1.png, tile2.png, ... in `artDir`, counted up to the first one missing.
int CountTilePictures(const std::string& artDir);

// Why the settings cannot be played, or empty when they can.
std::string RefusedOptions(const PlaySettings& settings);

}  // namespace kavelo::play
