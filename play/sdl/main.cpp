// kavelo-play: plays the game in a window, or by itself where there is no display.
#include <SDL.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "DisplayProbe.h"
#include "DrawnArt.h"
#include "PlayHost.h"
#include "PlayStart.h"
#include "WindowPlay.h"

namespace {

using namespace kavelo::play;

DisplayRequest RequestOf(const PlaySettings& settings) {
  if (settings.headless) return DisplayRequest::kForceHeadless;
  return settings.window ? DisplayRequest::kForceWindow : DisplayRequest::kAny;
}

// The artwork found from the program's own folder: the installed copy under the prefix's
// data folder, else the build tree's when the program runs from there. Errors name the
// installed place when neither exists.
std::string DefaultArtDir() {
  char* base = SDL_GetBasePath();
  const std::filesystem::path folder(base ? base : "");
  SDL_free(base);
  for (const char* relative : {KAVELO_INSTALLED_ART_DIR, KAVELO_BUILD_ART_DIR}) {
    std::error_code ec;
    if (std::filesystem::is_directory(folder / relative, ec)) return (folder / relative).lexically_normal().string();
  }
  return (folder / KAVELO_INSTALLED_ART_DIR).lexically_normal().string();
}

// The cell for a window on the first display: the largest whose window takes at most 92 %
// of its usable area, leaving room for the window's own frame; 48 when SDL cannot tell.
int CellForDisplay(const PlaySettings& settings) {
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.w <= 0 || usable.h <= 0) return kArtCell;
  return CellToFit(settings, usable.w * 92 / 100, usable.h * 92 / 100);
}

int Play(const PlaySettings& settings, GameKeeper& keeper) {
  const DisplayProbe probe = ProbeDisplay(RequestOf(settings));
  if (probe.mode == DisplayMode::kNoWindow) {
    std::fprintf(stderr, "--window: no display to show a window on (video driver: %s)\n",
                 probe.driver.empty() ? "none started" : probe.driver.c_str());
    std::fputs(probe.noise.c_str(), stderr);
    return 1;
  }
  // The pictures drawn for the screen: the largest cell the display holds the window at.
  // Pictures of the player's own (--art) are shown as they are unless --cell or --style asks.
  PlaySettings drawn = settings;
  if (drawn.cell == 0 && probe.mode == DisplayMode::kWindow && drawn.artDir == DefaultArtDir()) {
    drawn.cell = CellForDisplay(drawn);
  }
  DrawnArt art;
  std::string warning;
  art.Prepare(drawn, warning);
  if (!warning.empty()) WarnOnStderr(warning);
  if (probe.mode == DisplayMode::kWindow) {
    switch (PlayInWindow(drawn, keeper)) {
      case WindowResult::Quit: return 0;
      case WindowResult::SetUpFailed: return SetUpFailed(settings);
      case WindowResult::NoDisplay:
        if (settings.window) {
          std::fprintf(stderr, "--window: the %s video driver could not open a window: %s\n", probe.driver.c_str(),
                       SDL_GetError());
          return 1;
        }
        std::fputs("No window could be opened: playing headless.\n", stderr);
        break;
    }
  }
  return PlayHeadlessAndReport(drawn);
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_CTYPE, "C.UTF-8");
  const int status = RunPlayer(argc, argv, DefaultArtDir(), Play);
  SDL_Quit();
  return status;
}
