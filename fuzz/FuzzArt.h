#pragma once
// The files that protocol fuzz inputs name: tile series bt, vt, pt, gt, jt and t\xC3\xAFle
// (BMP of 24 and 32 bits, PNG, GIF, JPEG, top-down BMP) and mx (mixed sizes), trail frames
// tr, pictures choose.png, timebar.gif, wide.bmp, tall.png, cut.png, empty.png, notes.txt,
// a sound ping.wav and the folders sub1 and sub2.

#include <string>

namespace kavelo::fuzz {

// Members in every series: as many tile kinds as a fuzzed set-up can load pictures for.
inline constexpr int kSeriesMembers = 6;
// The cell side of the tile and trail pictures; the mixed series ranges around it.
inline constexpr int kSeedCell = 6;

// Writes the files into `dir`, which it creates; false when any could not be written.
bool WriteFuzzArt(const std::string& dir);

}  // namespace kavelo::fuzz
