#pragma once
// Starts SDL's video to learn whether a window can be shown.

#include <string>

#include "DisplayChoice.h"

namespace kavelo::play {

struct DisplayProbe {
  DisplayMode mode = DisplayMode::kHeadless;
  std::string driver;  // the video driver SDL started; empty when none started
  std::string noise;   // what the drivers' start-up wrote to stderr, held back from it
};

// Headless play probes nothing. Leaves SDL's video started only for window play.
DisplayProbe ProbeDisplay(DisplayRequest request);

}  // namespace kavelo::play
