// How long a click waits for its sound: Play of a 10-second WAV against decoding the same
// file on the caller's thread, which is what Play hands to the worker.
#include <PlgKavelo/KaveloProtocol.h>
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/TextCodec.h"
#include "platform/sdl/WaveFile.h"
#include "platform/WavePlayback.h"
#include "sound/KaveloSoundPlayer.h"
#include "platform/WaveWriter.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr auto kGenerous = std::chrono::seconds(60);

// Ten seconds of 44.1 kHz stereo, so that playing it takes a real conversion. The file
// lies in the temporary folder ($TMPDIR, else /tmp) and goes when the program ends.
struct BenchWave {
  BenchWave() {
    constexpr int kRate = 44100;
    std::vector<std::int16_t> samples;
    for (int i = 0; i < kRate * 10; ++i) {
      const auto v = static_cast<std::int16_t>(12000 * std::sin(i * 0.03));
      samples.push_back(v);
      samples.push_back(static_cast<std::int16_t>(-v));
    }
    kavelo::test::WriteFile(path, kavelo::platform::WaveFileBytes(samples, 2, kRate));
  }
  ~BenchWave() { std::remove(path.c_str()); }
  const std::string path =
      (std::filesystem::temp_directory_path() / ("kavelo_bench_sound_" + std::to_string(::getpid()) + ".wav")).string();
};

const std::string& TenSecondWave() {
  static const BenchWave wave;
  return wave.path;
}

// SDL's disk driver into /dev/null: a real device thread without sound hardware. With a
// delay of 1 ms per 21 ms buffer the device takes a 10-second sound in half a second, so
// the next iteration finds the playback idle without the device thread spinning.
void UseDiskDevice(bool realTime) {
  ::setenv("SDL_AUDIODRIVER", "disk", 1);
  ::setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
  if (realTime) {
    ::unsetenv("SDL_DISKAUDIODELAY");
  } else {
    ::setenv("SDL_DISKAUDIODELAY", "1", 1);
  }
}

std::wstring WidePath() { return *kavelo::platform::NarrowToWide(TenSecondWave()); }

double Microseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::micro>(d).count();
}

// The first sound of a player that is alone: starts the audio subsystem (on the caller's
// thread, where a host's own SDL calls are) and the worker. Registered first, so that its
// worst case includes the first audio start of the process.
void BM_FirstPlayOfANewPlayer(benchmark::State& state) {
  UseDiskDevice(false);
  double worst = 0;
  for (auto _ : state) {
    CKaveloSoundPlayer player;
    player.AddSound(KAVELO_SOUND_WIN, WidePath());
    const auto start = std::chrono::steady_clock::now();
    player.Play(KAVELO_SOUND_WIN);
    const auto took = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(std::chrono::duration<double>(took).count());
    worst = std::max(worst, Microseconds(took));
    kavelo::platform::WaitWavePlaybackIdle(kGenerous);
  }
  state.counters["worst_us"] = worst;
}
BENCHMARK(BM_FirstPlayOfANewPlayer)->UseManualTime()->Iterations(10)->Unit(benchmark::kMicrosecond);

void BM_PlayTenSecondWave(benchmark::State& state) {
  UseDiskDevice(false);
  CKaveloSoundPlayer player;
  player.AddSound(KAVELO_SOUND_WIN, WidePath());
  player.Play(KAVELO_SOUND_WIN);  // audio started; the first sound of a player is measured above
  std::vector<double> times;
  int preempted = 0;  // calls during which the thread was taken off its core
  int blocked = 0;    // calls that had to wait (a lock)
  for (auto _ : state) {
    if (!kavelo::platform::WaitWavePlaybackIdle(kGenerous)) state.SkipWithError("playback never went idle");
    rusage before{}, after{};
    ::getrusage(RUSAGE_THREAD, &before);
    const auto start = std::chrono::steady_clock::now();
    player.Play(KAVELO_SOUND_WIN);
    const auto took = std::chrono::steady_clock::now() - start;
    ::getrusage(RUSAGE_THREAD, &after);
    state.SetIterationTime(std::chrono::duration<double>(took).count());
    times.push_back(Microseconds(took));
    preempted += after.ru_nivcsw != before.ru_nivcsw;
    blocked += after.ru_nvcsw != before.ru_nvcsw;
    if (kavelo::platform::CurrentWavePlayback() == kavelo::platform::WavePlaybackState::kIdle) {
      state.SkipWithError("the sound was not taken");
    }
  }
  kavelo::platform::WaitWavePlaybackIdle(kGenerous);
  std::sort(times.begin(), times.end());
  state.counters["median_us"] = times[times.size() / 2];
  state.counters["worst_us"] = times.back();
  state.counters["preempted"] = preempted;
  state.counters["blocked"] = blocked;
}
BENCHMARK(BM_PlayTenSecondWave)->UseManualTime()->Iterations(60)->Unit(benchmark::kMicrosecond);

// A click while the 10-second sound still plays: the request is dropped.
void BM_PlayDroppedWhileASoundPlays(benchmark::State& state) {
  UseDiskDevice(true);
  CKaveloSoundPlayer player;
  player.AddSound(KAVELO_SOUND_WIN, WidePath());
  player.Play(KAVELO_SOUND_WIN);
  kavelo::platform::WaitWaveLoaded(kGenerous);
  for (auto _ : state) {
    player.Play(KAVELO_SOUND_WIN);
  }
  if (kavelo::platform::CurrentWavePlayback() != kavelo::platform::WavePlaybackState::kPlaying) {
    state.SkipWithError("the sound ended before the measurement did");
  }
}
BENCHMARK(BM_PlayDroppedWhileASoundPlays)->MinTime(0.5)->Unit(benchmark::kMicrosecond);

// Baseline: reading and converting the file where the click happens.
void BM_DecodeTenSecondWaveOnCaller(benchmark::State& state) {
  const std::string path = TenSecondWave();
  for (auto _ : state) {
    auto samples = kavelo::platform::LoadWaveForOutput(path);
    benchmark::DoNotOptimize(samples.data());
    if (samples.empty()) state.SkipWithError("the file did not decode");
  }
}
BENCHMARK(BM_DecodeTenSecondWaveOnCaller)->Unit(benchmark::kMicrosecond);

}  // namespace
