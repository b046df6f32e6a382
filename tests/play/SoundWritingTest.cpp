#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "play/artwork/SoundSynth.h"
#include "play/artwork/WavWriter.h"

namespace kavelo::artwork {
namespace {

TEST(ArtworkWav, HeaderDescribesMonoSixteenBitPcm) {
  const std::int16_t samples[] = {1, -2, 0x1234};
  const std::vector<std::uint8_t> bytes = WavBytes(samples, 22050);
  ASSERT_EQ(bytes.size(), 50u);
  const auto text = [&](std::size_t at) { return std::string(bytes.begin() + at, bytes.begin() + at + 4); };
  const auto u16 = [&](std::size_t at) { return bytes[at] | (bytes[at + 1] << 8); };
  const auto u32 = [&](std::size_t at) { return static_cast<std::uint32_t>(u16(at) | (u16(at + 2) << 16)); };
  EXPECT_EQ(text(0), "RIFF");
  EXPECT_EQ(u32(4), 42u);  // everything after this field
  EXPECT_EQ(text(8), "WAVE");
  EXPECT_EQ(text(12), "fmt ");
  struct Field {
    std::size_t at;
    std::uint32_t value;
    bool wide;
  } fields[] = {
      {16, 16, true}, {20, 1, false}, {22, 1, false}, {24, 22050, true},
      {28, 44100, true}, {32, 2, false}, {34, 16, false}, {40, 6, true},
  };
  for (const Field& f : fields) EXPECT_EQ(f.wide ? u32(f.at) : static_cast<std::uint32_t>(u16(f.at)), f.value) << f.at;
  EXPECT_EQ(text(36), "data");
  const std::vector<std::uint8_t> data(bytes.begin() + 44, bytes.end());
  EXPECT_EQ(data, (std::vector<std::uint8_t>{0x01, 0x00, 0xFE, 0xFF, 0x34, 0x12}));
}

TEST(ArtworkWav, RefusesNothingToWriteAndUnwritablePlaces) {
  const std::int16_t one[] = {5};
  const auto folder = std::filesystem::temp_directory_path();
  struct Case {
    const char* what;
    std::span<const std::int16_t> samples;
    int rate;
    std::filesystem::path file;
  } cases[] = {
      {"no samples", {}, 22050, folder / "kavelo-empty.wav"},
      {"no rate", one, 0, folder / "kavelo-norate.wav"},
      {"no folder", one, 22050, folder / "kavelo-missing-folder" / "x.wav"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(WriteWav(c.samples, c.rate, c.file, error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
    EXPECT_FALSE(std::filesystem::exists(c.file)) << c.what;
  }
}

TEST(ArtworkSynth, MixIsNormalisedAndFadedAtBothEnds) {
  SoundMix mix(0.2f);
  mix.Add({.start = 0, .length = 0.2f, .fromHz = 440, .toHz = 440, .wave = Wave::kBuzz, .level = 3, .decay = 0});
  const std::vector<std::int16_t> pcm = mix.ToPcm16(0.5f);
  ASSERT_EQ(pcm.size(), static_cast<std::size_t>(0.2f * kSampleRate));
  int peak = 0;
  for (std::int16_t s : pcm) peak = std::max(peak, std::abs(static_cast<int>(s)));
  EXPECT_NEAR(peak, 16384, 2);
  EXPECT_EQ(pcm.front(), 0);
  EXPECT_EQ(pcm.back(), 0);
}

TEST(ArtworkSynth, VoicesOutsideTheSoundAreCutOrIgnored) {
  struct Case {
    const char* what;
    Voice voice;
    bool heard;
  } cases[] = {
      {"past the end is cut", {.start = 0.05f, .length = 5, .fromHz = 300, .toHz = 300}, true},
      {"starting after the end", {.start = 0.2f, .length = 0.1f, .fromHz = 300, .toHz = 300}, false},
      {"no length", {.start = 0, .length = 0, .fromHz = 300, .toHz = 300}, false},
      {"no pitch", {.start = 0, .length = 0.05f, .fromHz = 0, .toHz = 300}, false},
      {"negative start", {.start = -1, .length = 0.05f, .fromHz = 300, .toHz = 300}, false},
  };
  for (const Case& c : cases) {
    SoundMix mix(0.1f);
    mix.Add(c.voice);
    ASSERT_EQ(mix.Samples().size(), static_cast<std::size_t>(0.1f * kSampleRate)) << c.what;
    float loudest = 0;
    for (float s : mix.Samples()) loudest = std::max(loudest, std::abs(s));
    EXPECT_EQ(loudest > 0, c.heard) << c.what;
    // Silence stays silence instead of being scaled by an infinite gain.
    for (std::int16_t s : mix.ToPcm16(1)) ASSERT_TRUE(c.heard || s == 0) << c.what;
  }
}

}  // namespace
}  // namespace kavelo::artwork
