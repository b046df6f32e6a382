// A thousand games through the text protocol on a stepped clock, each on a new object
// set up anew with pictures and sounds (SDL's silent audio driver). The counters show
// that resident memory stays flat once the first games have warmed the allocator, and
// that no timer, descriptor, thread or open audio device is left behind; any of those
// left behind fails the run. The baseline is a single game on its own.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/host/ProcessUsage.h"
#include "platform/posix/TimerQueue.h"
#include "platform/WavePlayback.h"
#include "tests/host/GameHost.h"
#include "tests/support/TestFiles.h"

using kavelo::bench::ProcessUsage;
using kavelo::bench::ReadProcessUsage;
using kavelo::test::ClickText;
using kavelo::test::CommandText;
using kavelo::test::GameHost;
using kavelo::test::ShuffleText;
using kavelo::test::SteppedClock;

namespace {

// A 10 x 8 board whose 8 x 6 interior the 8 kinds, dealt 6 times, fill.
constexpr int kColumns = 10, kRows = 8, kKinds = 8, kCopies = 6;
constexpr int kCell = 8;
constexpr int kTrailFrames = 4;
constexpr int kTimeOutEvery = 10;   // every tenth game is lost by the time running out
constexpr int kWarmGames = 100;     // memory is first measured after these
constexpr int kMaxMovesPerGame = 500;
constexpr int kSoundFrames = 480;   // 10 ms at 48 kHz
const char* const kSoundKeys[] = {"cancel", "connect", "wrong", "choose", "win"};

std::wstring W(const std::string& s) { return std::wstring(s.begin(), s.end()); }

class SoakArt {
 public:
  SoakArt() : m_art(kKinds, kTrailFrames, kCell) {
    std::int16_t marker = 1;
    for (const char* key : kSoundKeys) {
      kavelo::test::WriteFile(m_art.Path(std::string(key) + ".wav"), kavelo::test::MarkedWave(marker++, kSoundFrames));
    }
  }
  std::wstring SetUp() const {
    return m_art.SetUp(kColumns, kRows, kKinds, kCopies, kColumns * kCell, kRows * kCell, kTrailFrames);
  }
  std::wstring Choose() const {
    return W(CommandText(KAVELO_PARAM_SELECTION_PICTURE) + "choose," + m_art.Path("choose.bmp") + ";");
  }
  std::wstring TimeBar(int seconds) const {
    return W(CommandText(KAVELO_PARAM_TIME_BAR) + "timeBar," + m_art.Path("timebar.bmp") + ";x,0;y,0;time," +
             std::to_string(seconds) + ";");
  }
  std::wstring Sounds() const {
    std::string text = CommandText(KAVELO_PARAM_SOUNDS);
    for (const char* key : kSoundKeys) text += std::string(key) + "," + m_art.Path(std::string(key) + ".wav") + ";";
    return W(text);
  }

 private:
  kavelo::test::ArtFolder m_art;
};

int Click(GameHost& host, int x, int y) { return host.InputEvent(ClickText(x, y)); }

struct Outcome {
  int gameOver = -1;        // what OnGameOver reported, -1 for nothing
  bool soundHeard = false;  // the playback was seen loading or playing a sound
};

// Plays one game on a new object, by the hints or until the time runs out, with the
// clock stepped 100 ms after every click.
Outcome PlayGame(const SoakArt& art, SteppedClock& clock, bool loseByTime) {
  Outcome outcome;
  GameHost host;
  std::vector<char> frame(static_cast<std::size_t>(kColumns * kCell) * kRows * kCell * 4);
  host.AllocGdiData(frame.data(), kColumns * kCell, kRows * kCell, 32);
  if (host.SetGameParam(art.SetUp()) != 0 || host.SetGameParam(art.Choose()) != KAVELO_PARAM_SELECTION_PICTURE ||
      host.SetGameParam(art.TimeBar(loseByTime ? 2 : 3600)) != KAVELO_PARAM_TIME_BAR ||
      host.SetGameParam(art.Sounds()) != KAVELO_PARAM_SOUNDS ||
      host.SetGameParam(W(CommandText(KAVELO_PARAM_SCORE_STEP) + "markAdd,10;")) != KAVELO_PARAM_SCORE_STEP ||
      host.InputEvent(ShuffleText(KAVELO_SHUFFLE_SPREAD)) != 0) {
    return outcome;
  }
  for (int move = 0; move < kMaxMovesPerGame && host.gameOvers.empty(); ++move) {
    KaveloMove hint{};
    if (loseByTime || !host.FindHint(hint)) {
      // Packing the tiles into the interior always leaves a pair that links.
      if (!loseByTime) host.InputEvent(ShuffleText(KAVELO_SHUFFLE_COMPACT));
      clock.Advance(100);
      continue;
    }
    Click(host, hint.x1, hint.y1);
    clock.Advance(100);
    Click(host, hint.x2, hint.y2);
    outcome.soundHeard |= kavelo::platform::CurrentWavePlayback() != kavelo::platform::WavePlaybackState::kIdle;
    clock.Advance(100);
  }
  if (!host.gameOvers.empty()) outcome.gameOver = host.gameOvers.front();
  return outcome;
}

void UseSilentAudio() { ::setenv("SDL_AUDIODRIVER", "dummy", 1); }

void BM_SoakGames(benchmark::State& state) {
  UseSilentAudio();
  const int games = static_cast<int>(state.range(0));
  SoakArt art;
  SteppedClock clock;
  const ProcessUsage before = ReadProcessUsage();
  ProcessUsage warm;
  int wins = 0, timeOuts = 0, unfinished = 0, gamesHeard = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    for (int game = 0; game < games; ++game) {
      const bool loseByTime = game % kTimeOutEvery == kTimeOutEvery - 1;
      const Outcome outcome = PlayGame(art, clock, loseByTime);
      gamesHeard += outcome.soundHeard ? 1 : 0;
      if (outcome.gameOver == (loseByTime ? 0 : 1)) {
        ++(loseByTime ? timeOuts : wins);
      } else {
        ++unfinished;
      }
      if (game + 1 == std::min(kWarmGames, games)) warm = ReadProcessUsage();
    }
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const ProcessUsage after = ReadProcessUsage();
  const auto timersLeft = static_cast<double>(kavelo::platform::ThreadTimerQueue().TimerCount());
  const bool audioOpen = SDL_WasInit(SDL_INIT_AUDIO) != 0;

  state.counters["games"] = games;
  state.counters["wins"] = wins;
  state.counters["time_outs"] = timeOuts;
  state.counters["games_with_sound"] = gamesHeard;
  state.counters["ms_per_game"] = seconds * 1000 / games;
  state.counters["rss_start_kb"] = static_cast<double>(before.residentKb);
  state.counters["rss_warm_kb"] = static_cast<double>(warm.residentKb);
  state.counters["rss_end_kb"] = static_cast<double>(after.residentKb);
  state.counters["rss_growth_after_warm_kb"] = static_cast<double>(after.residentKb - warm.residentKb);
  state.counters["fds_start"] = before.descriptors;
  state.counters["fds_end"] = after.descriptors;
  state.counters["threads_start"] = before.threads;
  state.counters["threads_end"] = after.threads;
  state.counters["timers_left"] = timersLeft;
  state.counters["audio_open"] = audioOpen ? 1 : 0;

  if (unfinished > 0) state.SkipWithError("a game did not end as it was played");
  if (timersLeft != 0) state.SkipWithError("timers left behind");
  if (after.descriptors != before.descriptors) state.SkipWithError("file descriptors left behind");
  if (after.threads != before.threads) state.SkipWithError("threads left behind");
  if (audioOpen) state.SkipWithError("the audio device was left open");
}
BENCHMARK(BM_SoakGames)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);

// Baseline: one game of the same kind per iteration, from a fresh process state.
void BM_OneGame(benchmark::State& state) {
  UseSilentAudio();
  SoakArt art;
  SteppedClock clock;
  for (auto _ : state) {
    if (PlayGame(art, clock, false).gameOver != 1) state.SkipWithError("the game was not won");
  }
}
BENCHMARK(BM_OneGame)->Unit(benchmark::kMillisecond);

}  // namespace
