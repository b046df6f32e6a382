#pragma once
// The pictures drawn over the board: the frames of the glowing trail along a link, the
// selection mark and the time bar, each drawn for a cell of `side` pixels.

#include "play/artwork/CellCanvas.h"

namespace kavelo::artwork {

constexpr int kTrailFrameCount = 10;
constexpr int kTimeBarWidth = 768;  // at a 48-pixel cell; the bar grows with the cell
constexpr int kTimeBarHeight = 16;

// Frame `frame` of the trail, 1 (shown first, brightest) .. kTrailFrameCount (faintest):
// a glowing blob that reaches the middle of each cell side, so the cells of a path join
// into one glowing band. Frames outside the range are clamped into it.
Raster DrawTrailFrame(int frame, int side = kCellSide);
// A two-tone rounded band around the cell with an unpainted (key colour) centre.
Raster DrawSelectionMark(int side = kCellSide);
// A bar that runs from red at its left end through yellow to green at its right: the
// bar empties from the right as time passes, so the colour left showing warns.
Raster DrawTimeBar(int side = kCellSide);

}  // namespace kavelo::artwork
