#pragma once
// The pictures of one artwork set drawn for any cell size and style, and written as the
// game's commands name them (tile1.png .., trail1.png .., choose.png, timebar.png) in PNG
// files of the project's own writing, so that every platform draws them at start-up.

#include <filesystem>
#include <string>
#include <vector>

#include "play/artwork/Palette.h"
#include "play/artwork/Raster.h"
#include "play/artwork/StoredPng.h"

namespace kavelo::artwork {

// Every picture of the set, drawn for cells of `side` pixels in `style`.
struct ArtworkPictures {
  std::vector<Raster> tiles;  // tile 1 first
  std::vector<Raster> trail;  // frame 1 first
  Raster selection;
  Raster timeBar;
};
ArtworkPictures DrawArtworkPictures(int side, ArtStyle style);

// Writes one picture to a file; false with a reason in `error` when it cannot.
using PictureWriter = bool (*)(const Raster& raster, const std::filesystem::path& file, std::string& error);
// The pictures alone, as WriteArtwork names them, for cells of `side` pixels in `style`,
// each through `write` (uncompressed by default). Creates `folder` if needed; false with a
// reason in `error` at the first file that cannot be written.
bool WriteArtworkPictures(const std::filesystem::path& folder, int side, ArtStyle style, std::string& error,
                          PictureWriter write = WriteStoredPng);

// Member n of a numbered series of pictures: the stem, n in decimal without leading zeros, ".png".
std::string SeriesName(const char* stem, int n);

}  // namespace kavelo::artwork
