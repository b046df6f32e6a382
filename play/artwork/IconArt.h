#pragma once
// The program's icon for the desktop: one of the game's tiles on a transparent ground,
// drawn afresh at each size a desktop looks for.

#include <filesystem>
#include <string>
#include <vector>

#include "play/artwork/Raster.h"

namespace kavelo::artwork {

// The sides, in pixels, of the icons written.
const std::vector<int>& IconSides();
Raster DrawIcon(int side);
// Writes kavelo-play-<side>.png for every side into `folder`, creating it if needed.
// False with a reason in `error` at the first file that cannot be written.
bool WriteIcons(const std::filesystem::path& folder, std::string& error);

}  // namespace kavelo::artwork
