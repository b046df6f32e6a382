// Sequences of commands and events, decoded from the fuzzer's bytes, on plug-in objects
// with a host buffer, a stepped clock and an art folder of the project's own pictures.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "fuzz/FuzzArtFolder.h"
#include "fuzz/ProtocolPlayer.h"
#include "platform/WavePlayback.h"

namespace {

std::unique_ptr<kavelo::fuzz::FuzzArtFolder> g_art;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Sounds play on SDL's silent driver; one reference held for the whole run keeps the
  // playback open, instead of opening and closing it for every input.
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
  kavelo::platform::AcquireWavePlayback();
  g_art = std::make_unique<kavelo::fuzz::FuzzArtFolder>("/dev/shm/kavelo-fuzz-art-" + std::to_string(::getpid()));
  if (!g_art->Ready()) {
    std::fprintf(stderr, "cannot write the art folder\n");
    std::abort();
  }
  kavelo::fuzz::InstallSteppedClock();
  std::atexit([] {
    g_art.reset();
    kavelo::platform::ReleaseWavePlayback();
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kavelo::fuzz::ProtocolPlayer player(g_art->Dir());
  player.Play({reinterpret_cast<const char*>(data), size});
  return 0;
}
