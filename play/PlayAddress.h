#pragma once
// The page's options, from its address ("?columns=10&rows=6"), read as the command
// line's board options are, so that both refuse the same values for the same reasons.

#include <string>
#include <string_view>
#include <vector>

#include "PlaySettings.h"

namespace kavelo::play {

// "columns=10&rows=6" (with or without the "?") as {"--columns", "10", "--rows", "6"};
// "deal=48213" as --deal 48213; "new" and "daily" ask for what --new and --daily do;
// "style=contrast" and "cell=96" draw the tiles as --style and --cell do. Only these are
// taken: any other name is handed on as it is, for the reading of the options to refuse.
std::vector<std::string> AddressArguments(std::string_view query);

// On a screen taller than wide the board is dealt in portrait, its columns and rows
// swapped, so that it fills the screen rather than a strip across it; not a named deal
// or the day's, which are played on the board their number was dealt on.
void FitBoardTo(PlaySettings& settings, bool portraitScreen);

// The address that plays the game of `settings` with deal `number` again: the board's
// options that differ from the defaults, then "deal=N", e.g. "columns=10&rows=16&deal=48213".
std::string DealAddress(const PlaySettings& settings, std::uint64_t number);

}  // namespace kavelo::play
