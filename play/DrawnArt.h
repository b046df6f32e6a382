#pragma once
// The pictures kavelo-play draws at start-up for the cell size and style it plays at, in a
// folder of their own that goes with the object; the installed art stays the fallback.

#include <string>

#include "PlaySettings.h"

namespace kavelo::play {

// The largest cell, from 24 to 128 pixels, whose frame of the board fits a room of
// `width` x `height` pixels.
int CellToFit(const PlaySettings& settings, int width, int height);

class DrawnArt {
 public:
  DrawnArt() = default;
  DrawnArt(const DrawnArt&) = delete;
  DrawnArt& operator=(const DrawnArt&) = delete;
  ~DrawnArt();

  // Draws the pictures for `settings` (its cell and style) into a fresh folder under the
  // system's temporary one and points its pictureDir at them.
  // Where nothing needs drawing (the installed art's cell and style) it leaves the
  // settings alone; where drawing fails it falls back to the installed art and says why
  // in `warning`.
  void Prepare(PlaySettings& settings, std::string& warning);
  // The folder of the pictures; empty when none were drawn.
  const std::string& Folder() const { return m_folder; }

 private:
  std::string m_folder;
};

}  // namespace kavelo::play
