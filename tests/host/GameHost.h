#pragma once
// Test support for the host protocol: a host that records its callbacks, a folder of
// pictures written by the test, a stepped clock for this thread's timers, and the texts.

#include <PlgKavelo/KaveloFather.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/ProtocolText.h"
#include "tests/support/ScratchFolder.h"

namespace kavelo::test {

inline std::wstring W(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// Writes a 24-bit bottom-up BMP of one colour.
void WriteSolidBmp(const std::filesystem::path& file, int width, int height, std::uint8_t r, std::uint8_t g,
                   std::uint8_t b);

// The colour of tile kind k in the pictures that ArtFolder writes.
struct Rgb {
  std::uint8_t r, g, b;
};
Rgb KindColour(int kind);

// A temporary folder with tile pictures tile1.bmp..tileN.bmp, trail frames
// trail1.bmp..trailM.bmp, choose.bmp and timebar.bmp; removed with the object.
class ArtFolder {
 public:
  explicit ArtFolder(int tiles = 8, int trailFrames = 3, int cell = 8);
  std::string Path(const std::string& name) const { return m_folder.Path(name); }
  std::wstring SetUp(int w, int h, int kinds, int copies, int screenWidth, int screenHeight,
                     int frames = 3) const;

 private:
  ScratchFolder m_folder{"kavelo-host"};
};

class GameHost : public CKaveloFather {
 public:
  int OnGdiDataChange() override {
    ++frames;
    if (onFrame) onFrame();
    return 0;
  }
  void OnGameOver(int result) override {
    gameOvers.push_back(result);
    framesAtGameOver.push_back(frames);
    if (onGameOver) onGameOver(result);
  }
  int frames = 0;
  std::vector<int> gameOvers;
  std::vector<int> framesAtGameOver;
  std::function<void()> onFrame;
  std::function<void(int)> onGameOver;
};

// What identifies this thread's clock timers: a set-up that starts no new clock leaves it
// unchanged (Linux: the timers in the queue; Windows: the clock's system timer).
std::uintptr_t ClockTimers();

// `dir` reached under a second name, its own followed by U+FFFD: a symbolic link, or a copy
// where there are none. The caller removes it.
std::filesystem::path FolderWithReplacementCharacter(const std::filesystem::path& dir);

// Steps this thread's timer clock by hand while alive.
class SteppedClock {
 public:
  SteppedClock();
  ~SteppedClock();
  // Moves time on by `ms` and serves the timers that fell due, as a host does; returns how
  // many ran.
  int Advance(std::uint64_t ms);

 private:
  std::uint64_t m_now = 1'000'000;
  [[maybe_unused]] std::uintptr_t m_timer = 0;   // Windows: the clock timer being served
  [[maybe_unused]] std::uint64_t m_elapsed = 0;  // Windows: time since its last callback
};

}  // namespace kavelo::test
