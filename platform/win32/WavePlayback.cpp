// Wave playback by the system's PlaySoundW: it reads and plays the file in the background
// by itself, keeps a sound that plays from being cut off (no-stop), and plays the default
// sound for a file it cannot find. So nothing here loads, waits or owns a device.
#include "platform/WavePlayback.h"

#include <windows.h>
#include <mmsystem.h>

#include <atomic>

#include "platform/win32/WidePath.h"

namespace kavelo::platform {
namespace {

// File name, asynchronous, no stop of a playing sound, no wait for a busy driver.
constexpr DWORD kPlayFlags = 0x00022011;
static_assert(kPlayFlags == (SND_FILENAME | SND_ASYNC | SND_NOSTOP | SND_NOWAIT));

std::atomic<int> g_references{0};

}  // namespace

void AcquireWavePlayback() { g_references.fetch_add(1); }

void ReleaseWavePlayback() {
  int held = g_references.load();
  while (held > 0 && !g_references.compare_exchange_weak(held, held - 1)) {
  }
}

void PlayWaveFile(std::string path) {
  if (g_references.load() <= 0) return;
  // A path that is not UTF-8 names no file: it is asked for as an empty name, which the
  // system answers like a missing file.
  const std::wstring wide = Utf8ToWidePath(path).value_or(std::wstring());
  PlaySoundW(wide.c_str(), nullptr, kPlayFlags);
}

// The system does not report its playback; every request has been handed over at once.
WavePlaybackState CurrentWavePlayback() { return WavePlaybackState::kIdle; }
bool WaitWaveLoaded(std::chrono::milliseconds) { return true; }
bool WaitWavePlaybackIdle(std::chrono::milliseconds) { return true; }

}  // namespace kavelo::platform
