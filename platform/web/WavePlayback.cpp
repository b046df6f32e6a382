// Wave playback by Web Audio. The file is read here, from the module's file system; the
// browser decodes and plays it in the background. Browsers let a page make sound only
// after the user's first gesture: the page then hands the module a running AudioContext
// (Module.kaveloAudioContext), and until it does, every sound is dropped in silence.
#include <emscripten/emscripten.h>

#include <cstdint>

#include "platform/RegularFile.h"
#include "platform/WavePlayback.h"

namespace {

// The playback's state lives on the JavaScript side, where the browser's callbacks
// change it: 0 idle, 1 loading (decoding), 2 playing. A sound whose end is never
// reported (its context suspended while it played) frees the playback half a second
// after it should have ended, so one lost event cannot silence the game for good.
EM_JS(int, KaveloWaveState, (), {
  var audio = Module['kaveloAudio'];
  return audio ? audio.state : 0;
});

EM_JS(void, KaveloWavePlay, (const std::uint8_t* bytes, std::size_t size), {
  var ctx = Module['kaveloAudioContext'];
  if (!ctx || ctx.state !== 'running') return;
  var audio = Module['kaveloAudio'] || (Module['kaveloAudio'] = {state: 0, serial: 0});
  if (audio.state !== 0) return;
  var serial = ++audio.serial;
  var done = function() { if (audio.serial === serial) audio.state = 0; };
  audio.state = 1;
  try {
    ctx.decodeAudioData(HEAPU8.slice(bytes, bytes + size).buffer).then(function(buffer) {
      if (audio.serial !== serial) return;
      var source = ctx.createBufferSource();
      source.buffer = buffer;
      source.connect(ctx.destination);
      source.onended = done;
      audio.state = 2;
      source.start();
      setTimeout(done, buffer.duration * 1000 + 500);
    }).catch(done);
  } catch (e) {
    done();
  }
});

// Larger than any sound effect; a larger file is dropped unread.
constexpr std::uint64_t kMaxWaveBytes = std::uint64_t{64} << 20;

int g_references = 0;

}  // namespace

namespace kavelo::platform {

void AcquireWavePlayback() { ++g_references; }

void ReleaseWavePlayback() {
  if (g_references > 0) --g_references;
}

void PlayWaveFile(std::string path) {
  if (g_references == 0 || path.empty() || KaveloWaveState() != 0) return;
  FileBytes bytes;
  if (ReadRegularFile(path, kMaxWaveBytes, bytes) != FileRead::Ok) return;
  KaveloWavePlay(bytes.data.get(), bytes.size);
}

WavePlaybackState CurrentWavePlayback() {
  switch (KaveloWaveState()) {
    case 1: return WavePlaybackState::kLoading;
    case 2: return WavePlaybackState::kPlaying;
    default: return WavePlaybackState::kIdle;
  }
}

// The page's thread may not block: the waits only tell how things stand now.
bool WaitWaveLoaded(std::chrono::milliseconds /*timeout*/) {
  return CurrentWavePlayback() != WavePlaybackState::kLoading;
}

bool WaitWavePlaybackIdle(std::chrono::milliseconds /*timeout*/) {
  return CurrentWavePlayback() == WavePlaybackState::kIdle;
}

}  // namespace kavelo::platform
