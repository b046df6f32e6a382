// kavelo-play: plays the game in a window, or by itself where there is no display.
#include <SDL.h>

#include <clocale>
#include <cstdio>

#include "HeadlessPlay.h"
#include "WindowPlay.h"

int main(int argc, char** argv) {
  std::setlocale(LC_CTYPE, "C.UTF-8");
  std::string error;
  const auto settings = kavelo::play::ParseSettings({argv + 1, argv + argc}, KAVELO_DEFAULT_ART_DIR, error);
  if (!settings) {
    std::fputs(error.c_str(), stderr);
    return error.rfind("usage", 0) == 0 ? 0 : 2;
  }
  int status = 0;
  bool headless = settings->headless;
  if (!headless) {
    switch (kavelo::play::PlayInWindow(*settings)) {
      case kavelo::play::WindowResult::Quit: break;
      case kavelo::play::WindowResult::NoDisplay:
        std::fputs("No display: playing headless.\n", stderr);
        headless = true;
        break;
      case kavelo::play::WindowResult::SetUpFailed:
        std::fprintf(stderr, "The game could not be set up from the artwork in %s\n", settings->artDir.c_str());
        status = 1;
        break;
    }
  }
  if (headless) {
    const auto summary = kavelo::play::PlayHeadless(*settings);
    if (summary.setUpFailed) {
      std::fprintf(stderr, "The game could not be set up from the artwork in %s\n", settings->artDir.c_str());
      status = 1;
    } else {
      std::puts(kavelo::play::SummaryLine(summary).c_str());
    }
  }
  SDL_Quit();
  return status;
}
