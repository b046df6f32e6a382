#pragma once
// Whether kavelo-play opens a window or plays by itself, from what SDL's video start-up
// found. SDL falls back to drivers that open windows nobody sees (offscreen, dummy);
// a game there would wait for input forever, so they count as no display unless the
// user named the driver.

#include <string_view>

namespace kavelo::play {

enum class DisplayRequest { kAny, kForceWindow, kForceHeadless };  // neither, --window, --headless
enum class DisplayMode { kWindow, kHeadless, kNoWindow };   // kNoWindow: --window cannot be had

// `picked` is the video driver SDL started, empty when video did not start; `named` is
// SDL_VIDEODRIVER's value, a comma-separated list of driver names, empty when unset.
DisplayMode ChooseDisplay(DisplayRequest request, std::string_view picked, std::string_view named);

// True for a driver whose windows nobody sees.
bool ShowsNothing(std::string_view driver);

}  // namespace kavelo::play
