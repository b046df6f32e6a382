#include <SDL.h>
#include <PlgKavelo/KaveloProtocol.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/TextCodec.h"
#include "platform/WavePlayback.h"
#include "sound/KaveloSoundPlayer.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/TestFiles.h"

using namespace kavelo::platform;
using kavelo::test::MarkedWave;
using Bytes = std::vector<std::uint8_t>;

namespace {

// Waiting for a sound to end, never for a fixed time: a busy machine only makes it slower.
constexpr std::chrono::seconds kGenerous{20};
constexpr int kShort = 2400;  // frames: 50 ms
constexpr int kLong = 24000;  // half a second

// Where the samples of a marked sound start whole in the output, at or after byte `from`;
// npos if nowhere.
std::size_t Locate(const Bytes& out, std::int16_t marker, int frames, std::size_t from = 0) {
  const Bytes wave = MarkedWave(marker, frames);
  const auto at = std::search(out.begin() + static_cast<std::ptrdiff_t>(std::min(from, out.size())), out.end(),
                              wave.end() - 4 * frames, wave.end());
  return at == out.end() ? std::string::npos : static_cast<std::size_t>(at - out.begin());
}

// Frames of the output that are not silence.
int LoudFrames(const Bytes& out) {
  int count = 0;
  for (std::size_t i = 0; i + 4 <= out.size(); i += 4) count += (out[i] | out[i + 1] | out[i + 2] | out[i + 3]) != 0;
  return count;
}

// SDL's disk driver writes what the device plays into a file, in real time; the file is
// complete once the last player has gone and closed the device.
class SoundPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", Path("device.raw").c_str(), 1);
  }
  void TearDown() override {
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "audio is closed once the last player has gone";
  }
  std::string Path(const std::string& name) const { return m_scratch.Path(name); }
  std::wstring Write(const std::string& name, std::span<const std::uint8_t> bytes) const {
    EXPECT_TRUE(kavelo::test::WriteFile(Path(name), bytes));
    return *NarrowToWide(Path(name));
  }
  Bytes Output() const {
    std::ifstream file(Path("device.raw"), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  const kavelo::test::ScratchFolder m_scratch{"kavelo-sound"};
};

}  // namespace

TEST_F(SoundPlayerTest, ALaterTablePlaysOneSoundAtATimeWholeWhileAudioRunsFromTheFirstSoundToTheLastPlayer) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);  // a host that uses SDL itself
  // In the order the sound command adds them.
  const int ids[] = {KAVELO_SOUND_CANCEL, KAVELO_SOUND_CONNECT, KAVELO_SOUND_WRONG, KAVELO_SOUND_CHOOSE,
                     KAVELO_SOUND_WIN};
  auto earlier = std::make_unique<CKaveloSoundPlayer>();
  for (int id : ids) earlier->AddSound(id, Write("old" + std::to_string(id), MarkedWave(100 + id, kShort)));
  earlier->Play(3);
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "audio starts with the first sound actually played";
  earlier->Play(2);
  auto later = std::make_unique<CKaveloSoundPlayer>();
  for (int id : ids) later->AddSound(id, Write("new" + std::to_string(id), MarkedWave(300 + id, kLong)));
  earlier.reset();
  EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "another player still holds the audio";
  for (int id : ids) {
    ASSERT_TRUE(WaitWavePlaybackIdle(kGenerous)) << "the sound before has ended";
    later->Play(id);
    later->Play(0);  // dropped while the sound loads
    ASSERT_TRUE(WaitWaveLoaded(kGenerous));
    EXPECT_EQ(CurrentWavePlayback(), WavePlaybackState::kPlaying);
    later->Play(0);  // and while it plays
  }
  later.reset();  // while the last sound plays, which is not cut off
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
  EXPECT_NE(SDL_WasInit(SDL_INIT_EVENTS), 0u) << "the host's own SDL stays up";
  SDL_QuitSubSystem(SDL_INIT_EVENTS);
  const Bytes out = Output();
  std::size_t at = Locate(out, 102, kShort);
  for (int id : ids) ASSERT_NE(at = Locate(out, 300 + id, kLong, at), std::string::npos) << "sound " << id;
  EXPECT_EQ(LoudFrames(out), kShort + 5 * kLong) << "nothing else was played: no dropped request was queued";
}

TEST_F(SoundPlayerTest, FailuresAreSilentAndLeaveThePlaybackReady) {
  const Bytes good = MarkedWave(41, kShort);
  const struct {
    const char* name;
    int id;  // played first; 0 holds the path, 1 the good sound
    std::wstring path;
  } cases[] = {
      {"an id without an entry", 3, Write("unused.wav", good)},
      {"an empty path", 0, L""},
      {"a missing file", 0, *NarrowToWide(Path("missing.wav"))},
      {"a WAV cut inside its samples", 0, Write("cut.wav", std::span(good).first(good.size() - 2))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    {
      CKaveloSoundPlayer player;
      player.AddSound(0, c.path);
      player.AddSound(1, Write("good.wav", good));
      player.Play(c.id);
      ASSERT_TRUE(WaitWavePlaybackIdle(kGenerous));
      player.Play(1);
      ASSERT_TRUE(WaitWavePlaybackIdle(kGenerous));
    }
    const Bytes out = Output();
    EXPECT_NE(Locate(out, 41, kShort), std::string::npos) << "the next sound still plays";
    EXPECT_EQ(LoudFrames(out), kShort) << "the failure made no sound";
  }
}

TEST_F(SoundPlayerTest, SoundsPlayOnADeviceThatDiscardsThemAndEndInSilenceWithoutOne) {
  for (const std::string driver : {"dummy", "kavelo_no_such_driver"}) {
    SCOPED_TRACE(driver);
    ::setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
    CKaveloSoundPlayer player;
    player.AddSound(0, Write("sound.wav", MarkedWave(51, kLong)));
    player.Play(0);
    ASSERT_TRUE(WaitWaveLoaded(kGenerous));
    EXPECT_EQ(CurrentWavePlayback() == WavePlaybackState::kPlaying, driver == "dummy");
    ASSERT_TRUE(WaitWavePlaybackIdle(kGenerous));
  }
}
