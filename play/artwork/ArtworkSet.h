#pragma once
// The whole set of artwork the game's commands name, written into one folder:
//   tile1.png .. tileN.png     one picture per tile kind (N = kTileCount)
//   trail1.png .. trail10.png  the trail animation, frame 1 shown first
//   choose.png                 the selection mark
//   timebar.png                the time bar
//   choose.wav, cancel.wav, wrong.wav, connect.wav, win.wav

#include <filesystem>
#include <string>
#include <vector>

#include "play/artwork/Palette.h"
#include "play/artwork/Raster.h"

namespace kavelo::artwork {

// Every file name the set holds, pictures first.
std::vector<std::string> ArtworkFileNames();
// Creates `folder` if needed and writes every file into it, replacing older ones.
// False with a reason in `error` at the first file that cannot be written.
bool WriteArtwork(const std::filesystem::path& folder, std::string& error);

// Every picture of the set, drawn for cells of `side` pixels in `style`.
struct ArtworkPictures {
  std::vector<Raster> tiles;  // tile 1 first
  std::vector<Raster> trail;  // frame 1 first
  Raster selection;
  Raster timeBar;
};
ArtworkPictures DrawArtworkPictures(int side, ArtStyle style);
// The pictures alone, as WriteArtwork names them, for cells of `side` pixels in `style`.
bool WriteArtworkPictures(const std::filesystem::path& folder, int side, ArtStyle style, std::string& error);

}  // namespace kavelo::artwork
