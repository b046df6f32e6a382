#include "DisplayProbe.h"

#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace kavelo::play {
namespace {

// The drivers SDL tries in turn print their failures (no Wayland socket, no X server)
// straight to stderr, even when a later one succeeds; what they write goes to a
// temporary file instead, to be shown only when no window can be had.
class HeldStderr {
 public:
  HeldStderr() {
    std::fflush(stderr);
    m_file = std::tmpfile();
    m_saved = m_file != nullptr ? dup(STDERR_FILENO) : -1;
    if (m_saved >= 0 && dup2(fileno(m_file), STDERR_FILENO) < 0) Restore();
  }
  ~HeldStderr() {
    Restore();
    if (m_file != nullptr) std::fclose(m_file);
  }
  HeldStderr(const HeldStderr&) = delete;
  HeldStderr& operator=(const HeldStderr&) = delete;

  // Puts stderr back and returns what was written meanwhile (its first 4 KiB).
  std::string Release() {
    Restore();
    std::string text;
    if (m_file == nullptr) return text;
    std::rewind(m_file);
    char buffer[4096];
    text.assign(buffer, std::fread(buffer, 1, sizeof buffer, m_file));
    return text;
  }

 private:
  void Restore() {
    if (m_saved < 0) return;
    std::fflush(stderr);
    dup2(m_saved, STDERR_FILENO);
    close(m_saved);
    m_saved = -1;
  }
  std::FILE* m_file = nullptr;
  int m_saved = -1;
};

}  // namespace

DisplayProbe ProbeDisplay(DisplayRequest request) {
  DisplayProbe probe;
  if (request == DisplayRequest::kForceHeadless) return probe;
  HeldStderr held;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
    const char* driver = SDL_GetCurrentVideoDriver();
    probe.driver = driver != nullptr ? driver : "";
  }
  const char* named = std::getenv("SDL_VIDEODRIVER");
  probe.mode = ChooseDisplay(request, probe.driver, named != nullptr ? named : "");
  if (probe.mode != DisplayMode::kWindow && !probe.driver.empty()) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  probe.noise = held.Release();
  return probe;
}

}  // namespace kavelo::play
