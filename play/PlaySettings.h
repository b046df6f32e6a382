#pragma once
// What kavelo-play is asked to do, from its command line.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavelo::play {

struct PlaySettings {
  int columns = 16;         // interior columns; the board adds its empty border ring
  int rows = 10;            // interior rows
  int kinds = 36;
  int copies = 4;
  int seconds = 480;        // time limit
  int scoreStep = 10;
  std::string artDir;       // tile1.png.., trail1.png.., choose.png, timebar.png, *.wav
  bool headless = false;    // play by itself even where a window could be shown
  bool window = false;      // play in a window, or fail where none can be shown
  bool fast = false;        // headless only: run the clock faster than real time
  bool anyShuffle = false;  // shuffles as the plug-in does by default, dead ends and all
  std::string outDir;       // headless snapshots; none when empty
  int snapshotEvery = 10;   // seconds of game time between snapshots
  bool fresh = false;       // a new game even where a saved one waits
  bool best = false;        // print the best times and play nothing
  std::optional<std::uint64_t> deal;  // the deal to play; none: a fresh number
  bool daily = false;       // the day's deal, on the default board
  int gravity = 0;          // the rule variant, an index of kGravityNames
  bool contrast = false;    // the contrast style: dark symbols on white faces, heavy outlines
  int cell = 0;             // the cell side to draw the pictures at; 0: the shell's choice
  std::string pictureDir;   // pictures drawn at start-up for `cell` and the style; empty: artDir's
};

// The rule variants by their protocol numbers: nothing falls, or tiles fall that way.
inline constexpr const char* kGravityNames[] = {"none", "down", "up", "left", "right"};
// The variant of a name, -1 for none of them.
int GravityNamed(std::string_view name);

// The options that make one game comparable with another: a saved game resumes only on
// the same board and rules, and best times are kept per board and rules.
struct BoardOptions {
  int columns, rows, kinds, copies, seconds, gravity;
  bool operator==(const BoardOptions&) const = default;
};

inline BoardOptions BoardOf(const PlaySettings& s) {
  return {s.columns, s.rows, s.kinds, s.copies, s.seconds, s.gravity};
}

// Parses the command line; an empty result and a message in `error` on a bad option.
// `--help` gives an empty result and the usage text in `error`.
std::optional<PlaySettings> ParseSettings(const std::vector<std::string>& args, const std::string& defaultArt,
                                          std::string& error);

}  // namespace kavelo::play
