#include <SDL.h>
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
#include "platform/WaveFile.h"
#include "platform/WavePlayback.h"
#include "sound/KaveloSoundPlayer.h"
#include "tests/sound/WaveWriter.h"

namespace fs = std::filesystem;
using namespace kavelo::platform;
using kavelo::test::MarkedStereo;
using kavelo::test::MarkedWave;
using Bytes = std::vector<std::uint8_t>;
using Samples = std::vector<std::int16_t>;

namespace {

// Waiting for a sound to end, never for a fixed time: a busy machine only makes it slower.
constexpr std::chrono::seconds kGenerous{20};
constexpr int kShort = 2400;  // frames: 50 ms
constexpr std::size_t kNowhere = std::string::npos;

// Where the needle starts in the haystack at or after `from`.
std::size_t Locate(const Samples& haystack, const Samples& needle, std::size_t from = 0) {
  const auto at = std::search(haystack.begin() + static_cast<std::ptrdiff_t>(std::min(from, haystack.size())),
                              haystack.end(), needle.begin(), needle.end());
  return at == haystack.end() ? kNowhere : static_cast<std::size_t>(at - haystack.begin());
}

// Frames whose right channel carries a marker of MarkedStereo.
int FramesMarked(const Samples& out, std::int16_t marker) {
  int count = 0;
  for (std::size_t i = 1; i < out.size(); i += 2) count += out[i] == marker;
  return count;
}

bool SilentOutside(const Samples& out, std::size_t start, std::size_t length) {
  for (std::size_t i = 0; i < out.size(); ++i) {
    if ((i < start || i >= start + length) && out[i] != 0) return false;
  }
  return true;
}

// SDL's disk driver writes what the device plays into a file, in real time; the file is
// complete once the last player has gone and closed the device.
class SoundPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::path(testing::TempDir()) / ("kavelo_sound_" + std::to_string(::getpid()) + "_" +
                                            testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
    UseDriver("disk", PathOf("device.raw"));
  }
  void TearDown() override {
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "audio is closed once the last player has gone";
    fs::remove_all(m_dir);
  }
  void UseDriver(const char* driver, const std::string& output) {
    m_output = output;
    ::setenv("SDL_AUDIODRIVER", driver, 1);
    ::setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
  }
  std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }
  std::wstring Write(const std::string& name, const Bytes& bytes) const {
    EXPECT_TRUE(kavelo::test::WriteFile(PathOf(name), bytes));
    return *NarrowToWide(PathOf(name));
  }
  Samples Output() const {
    std::ifstream file(m_output, std::ios::binary);
    const Bytes bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    Samples out(bytes.size() / 2);
    std::copy_n(reinterpret_cast<const std::int16_t*>(bytes.data()), out.size(), out.begin());
    return out;
  }

  fs::path m_dir;
  std::string m_output;
};

}  // namespace

TEST_F(SoundPlayerTest, SoundsPlayedOneAfterAnotherReachTheOutputWhole) {
  Bytes eightBit;  // 8-bit mono at 22.05 kHz, to be converted on the way
  for (int i = 0; i < 2205; ++i) eightBit.push_back(static_cast<std::uint8_t>(128 + (i % 50) * 2));
  const std::wstring paths[] = {Write("marked.wav", MarkedWave(11, kShort)),
                                Write("converted.wav", kavelo::test::MakeWave({1, 1, 22050, 8}, eightBit)),
                                Write("last.wav", MarkedWave(12, 14400))};
  {
    CKaveloSoundPlayer player;
    for (int id = 0; id < 3; ++id) {
      player.AddSound(id, paths[id]);
      player.Play(id);
      ASSERT_TRUE(WaitWaveLoaded(kGenerous));
      if (id < 2) {
        ASSERT_TRUE(WaitWavePlaybackIdle(kGenerous));
      }
    }
  }  // the last player goes while the last sound plays: it is not cut off
  const Samples out = Output();
  std::size_t from = 0;
  for (const std::wstring& path : paths) {
    const Bytes bytes = LoadWaveForOutput(*WideToNarrow(path));
    const auto* samples = reinterpret_cast<const std::int16_t*>(bytes.data());
    const Samples expected(samples, samples + bytes.size() / 2);
    ASSERT_FALSE(expected.empty());
    from = Locate(out, expected, from);
    ASSERT_NE(from, kNowhere) << "every sample reaches the device, in order";
  }
  EXPECT_NE(Locate(out, MarkedStereo(11, kShort)), kNowhere) << "the output format passes unchanged";
}

TEST_F(SoundPlayerTest, ASecondSoundWhileTheFirstLoadsOrPlaysIsDroppedAndTheFirstPlaysToItsEnd) {
  const std::wstring first = Write("first.wav", MarkedWave(21, 24000));  // half a second
  const std::wstring second = Write("second.wav", MarkedWave(22, kShort));
  for (bool waitUntilPlaying : {false, true}) {
    SCOPED_TRACE(waitUntilPlaying ? "while the first plays" : "while the first loads");
    {
      CKaveloSoundPlayer player;
      player.AddSound(1, first);
      player.AddSound(0, second);
      player.Play(1);
      if (waitUntilPlaying) {
        ASSERT_TRUE(WaitWaveLoaded(kGenerous));
        EXPECT_EQ(CurrentWavePlayback(), WavePlaybackState::kPlaying);
      }
      player.Play(0);
      ASSERT_TRUE(WaitWavePlaybackIdle(kGenerous));
    }
    const Samples out = Output();
    const std::size_t at = Locate(out, MarkedStereo(21, 24000));
    EXPECT_NE(at, kNowhere) << "the first sound plays whole";
    EXPECT_TRUE(SilentOutside(out, at, 2 * 24000));
    EXPECT_EQ(FramesMarked(out, 22), 0) << "the second sound is dropped, not queued";
  }
}

TEST_F(SoundPlayerTest, FailuresAreSilentAndLeaveThePlaybackReady) {
  const Bytes good = MarkedWave(41, kShort);
  const std::wstring goodPath = Write("good.wav", good);
  struct Case {
    const char* name;
    int id;  // played; 0 holds the path below, 1 the good sound
    std::wstring path;
  } cases[] = {
      {"an id without an entry", 3, L""},
      {"an empty path", 0, L""},
      {"a missing file", 0, *NarrowToWide(PathOf("missing.wav"))},
      {"a text file named .wav", 0, Write("text.wav", Bytes{'n', 'o', ' ', 'w', 'a', 'v', 'e', '\n'})},
      {"a WAV cut inside its samples", 0, Write("samples.wav", Bytes(good.begin(), good.end() - 2))},
      {"a playable file's path with a NUL inside", 0, goodPath + std::wstring(1, L'\0') + L"x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    {
      CKaveloSoundPlayer player;
      player.AddSound(0, c.path);
      player.AddSound(1, goodPath);
      player.Play(c.id);
      ASSERT_TRUE(WaitWavePlaybackIdle(kGenerous));
      player.Play(1);
      ASSERT_TRUE(WaitWavePlaybackIdle(kGenerous));
    }
    const Samples out = Output();
    const std::size_t at = Locate(out, MarkedStereo(41, kShort));
    ASSERT_NE(at, kNowhere) << "the next sound still plays";
    EXPECT_TRUE(SilentOutside(out, at, 2 * kShort)) << "the failure made no sound";
  }
}

TEST_F(SoundPlayerTest, AMissingOrBrokenDeviceEndsInSilence) {
  struct Case {
    const char* driver;
    const char* output;
    bool audioStarts;
  } cases[] = {{"kavelo_no_such_driver", "device.raw", false}, {"disk", "missing/device.raw", true},
               {"dummy", "device.raw", true}};
  const std::wstring path = Write("sound.wav", MarkedWave(51, kShort));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.driver);
    UseDriver(c.driver, PathOf(c.output));
    CKaveloSoundPlayer player;
    player.AddSound(0, path);
    for (int round = 0; round < 2; ++round) {
      player.Play(0);
      ASSERT_TRUE(WaitWavePlaybackIdle(kGenerous));
      EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO) != 0, c.audioStarts);
    }
  }
}

TEST_F(SoundPlayerTest, ALaterTableReplacesEveryPath) {
  const int ids[] = {2, 1, 0, 4, 99};  // in the order the sound command adds them
  {
    auto earlier = std::make_unique<CKaveloSoundPlayer>();
    for (int id : ids) earlier->AddSound(id, Write("old" + std::to_string(id), MarkedWave(100 + id, kShort)));
    CKaveloSoundPlayer later;
    for (int id : ids) later.AddSound(id, Write("new" + std::to_string(id), MarkedWave(300 + id, kShort)));
    earlier.reset();
    for (int id : ids) {
      later.Play(id);
      ASSERT_TRUE(WaitWavePlaybackIdle(kGenerous));
    }
  }
  const Samples out = Output();
  for (int id : ids) {
    SCOPED_TRACE(id);
    EXPECT_EQ(FramesMarked(out, static_cast<std::int16_t>(100 + id)), 0);
    EXPECT_EQ(FramesMarked(out, static_cast<std::int16_t>(300 + id)), kShort);
  }
}

TEST_F(SoundPlayerTest, AudioRunsFromTheFirstSoundPlayedUntilTheLastPlayerGoes) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);  // a host that uses SDL itself
  const std::string first = *WideToNarrow(Write("first.wav", MarkedWave(61, kShort)));
  ReleaseWavePlayback();  // without a reference: nothing to release
  PlayWaveFile(first);
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "no player, no sound";

  auto one = std::make_unique<CKaveloSoundPlayer>();
  one->Play(0);
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "audio starts with the first sound actually played";
  PlayWaveFile(first);
  ASSERT_TRUE(WaitWavePlaybackIdle(kGenerous));
  EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u);

  auto two = std::make_unique<CKaveloSoundPlayer>();
  two->AddSound(0, Write("second.wav", MarkedWave(62, kShort)));
  one.reset();
  two->Play(0);
  ASSERT_TRUE(WaitWavePlaybackIdle(kGenerous));
  EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "another player still holds audio";
  two.reset();
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
  EXPECT_NE(SDL_WasInit(SDL_INIT_EVENTS), 0u) << "the host's own SDL stays up";
  SDL_QuitSubSystem(SDL_INIT_EVENTS);
  const Samples out = Output();
  EXPECT_EQ(FramesMarked(out, 61), kShort);
  EXPECT_EQ(FramesMarked(out, 62), kShort);
}
