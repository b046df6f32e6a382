#pragma once
// PNG files without a library: the picture's rows in deflate's stored blocks, so that any
// platform writes the pictures it draws at start-up, the browser's module included. The
// files are larger than compressed ones, which only the installed art needs to be.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "play/artwork/Raster.h"

namespace kavelo::artwork {

// The picture composited over black, unpainted pixels in the key colour (Raster::KeyedRgb),
// as the bytes of an 8-bit RGB PNG file. Empty for an empty picture.
std::vector<std::uint8_t> StoredPng(const Raster& raster);
// Writes StoredPng(raster) to `file`; false with a reason in `error` when it cannot.
bool WriteStoredPng(const Raster& raster, const std::filesystem::path& file, std::string& error);

}  // namespace kavelo::artwork
