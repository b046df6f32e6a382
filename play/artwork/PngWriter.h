#pragma once
// Writes a painted picture as a PNG file: for the game, without an alpha channel (the
// picture composited over black, unpainted pixels in the key colour, pure black); for
// the desktop, with one.

#include <filesystem>
#include <string>

#include "play/artwork/Raster.h"

namespace kavelo::artwork {

// False with a reason in `error` when the picture is empty or the file cannot be written.
bool WritePng(const Raster& raster, const std::filesystem::path& file, std::string& error);
bool WritePngWithAlpha(const Raster& raster, const std::filesystem::path& file, std::string& error);

}  // namespace kavelo::artwork
