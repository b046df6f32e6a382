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


namespace kavelo::artwork {

// Every file name the set holds, pictures first.
std::vector<std::string> ArtworkFileNames();
// Creates `folder` if needed and writes every file into it, replacing older ones.
// False with a reason in `error` at the first file that cannot be written.
bool WriteArtwork(const std::filesystem::path& folder, std::string& error);

}  // namespace kavelo::artwork
