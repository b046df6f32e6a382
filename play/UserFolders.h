#pragma once
// Where kavelo-play keeps the user's files: the game in progress in the state folder,
// the best times in the data folder, each in a "kavelo-play" folder of its own. Empty
// when the system names no such place.

#include <filesystem>

namespace kavelo::play {

std::filesystem::path StateFolder();
std::filesystem::path DataFolder();

}  // namespace kavelo::play
