// kavelo-play: plays the game in a window, or by itself where there is no display.
#ifndef _WIN32
#include <SDL.h>
#endif

#include <clocale>
#include <cstdio>
#include <string>

#include "HeadlessPlay.h"
#include "WindowPlay.h"

#ifdef _WIN32
#include <windows.h>

// The artwork ships beside the program, whatever the working folder.
static std::string DefaultArtDir() {
  wchar_t module[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring dir(module, length);
  dir.erase(dir.find_last_of(L"\\/") + 1);
  dir += L"" KAVELO_DEFAULT_ART_DIR;
  char narrow[4 * MAX_PATH];
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, dir.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
  return bytes > 0 ? std::string(narrow) : std::string(KAVELO_DEFAULT_ART_DIR);
}
#else
static std::string DefaultArtDir() { return KAVELO_DEFAULT_ART_DIR; }
#endif

int main(int argc, char** argv) {
  std::setlocale(LC_CTYPE, "C.UTF-8");
  std::string error;
  const auto settings = kavelo::play::ParseSettings({argv + 1, argv + argc}, DefaultArtDir(), error);
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
#ifndef _WIN32
  SDL_Quit();
#endif
  return status;
}
