// kavelo-play.exe: plays the game in a window, or by itself with --headless.
#include <windows.h>

#include <clocale>
#include <cstdio>
#include <string>

#include "DrawnArt.h"
#include "PlayHost.h"
#include "PlayStart.h"
#include "WindowPlay.h"

namespace {

using namespace kavelo::play;

// The artwork ships beside the program, whatever the working folder.
std::string DefaultArtDir() {
  wchar_t module[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring dir(module, length);
  dir.erase(dir.find_last_of(L"\\/") + 1);
  dir += L"art";
  char narrow[4 * MAX_PATH];
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, dir.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
  return bytes > 0 ? std::string(narrow) : std::string("art");
}

// The cell for a window on the primary monitor: the largest whose window takes at most
// 92 % of its work area, leaving room for the window's own frame.
int CellForDisplay(const PlaySettings& settings) {
  RECT work{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) || work.right <= work.left) return kArtCell;
  return CellToFit(settings, (work.right - work.left) * 92 / 100, (work.bottom - work.top) * 92 / 100);
}

// A window unless --headless, or none can be opened; else the game plays itself. The
// pictures are drawn for the screen's cell and the style first.
int Play(const PlaySettings& asked, GameKeeper& keeper) {
  PlaySettings settings = asked;
  // Pictures of the player's own (--art) are shown as they are unless --cell or --style asks.
  if (settings.cell == 0 && !settings.headless && settings.artDir == DefaultArtDir()) settings.cell = CellForDisplay(settings);
  DrawnArt art;
  std::string warning;
  art.Prepare(settings, warning);
  if (!warning.empty()) WarnOnStderr(warning);
  if (!settings.headless) {
    switch (PlayInWindow(settings, keeper)) {
      case WindowResult::Quit: return 0;
      case WindowResult::SetUpFailed: return SetUpFailed(settings);
      case WindowResult::NoDisplay:
        if (settings.window) {
          std::fputs("--window: no window could be opened\n", stderr);
          return 1;
        }
        std::fputs("No window could be opened: playing headless.\n", stderr);
        break;
    }
  }
  return PlayHeadlessAndReport(settings);
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_CTYPE, ".UTF-8");
  return RunPlayer(argc, argv, DefaultArtDir(), Play);
}
