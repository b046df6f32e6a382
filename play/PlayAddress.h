#pragma once
// The page's options, from its address ("?columns=10&rows=6"), read as the command
// line's board options are, so that both refuse the same values for the same reasons.

#include <string>
#include <string_view>
#include <vector>

#include "PlaySettings.h"

namespace kavelo::play {

// "columns=10&rows=6" (with or without the "?") as {"--columns", "10", "--rows", "6"};
// "new" asks for a new game as --new does; "style=contrast" and "cell=96" draw the tiles as
// --style and --cell do. Only the board's and the pictures' options are taken: any other
// name is handed on as it is, for the reading of the options to refuse.
std::vector<std::string> AddressArguments(std::string_view query);

// On a screen taller than wide the board is dealt in portrait, its columns and rows
// swapped, so that it fills the screen rather than a strip across it.
void FitBoardTo(PlaySettings& settings, bool portraitScreen);

}  // namespace kavelo::play
