#pragma once
// kavelo-play without a window: the game plays itself with the hint extension.

#include <string>

#include "PlaySettings.h"

namespace kavelo::play {

struct HeadlessSummary {
  bool won = false;
  bool setUpFailed = false;
  int seconds = 0;  // game seconds used
  int score = 0;
  int pairs = 0;
  int misses = 0;
  int shuffles = 0;
  int snapshots = 0;
};

// Plays one game to its end and writes snapshots when settings.outDir is set.
HeadlessSummary PlayHeadless(const PlaySettings& settings);
// "won 41 s, score 720, pairs 72, misses 0, shuffles 1"
std::string SummaryLine(const HeadlessSummary& summary);

}  // namespace kavelo::play
