#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/play/GeneratedArtwork.h"

namespace kavelo::artwork::test {
namespace {

struct Sound {
  int frequency = 0;
  int channels = 0;
  SDL_AudioFormat format = 0;
  std::vector<std::int16_t> samples;
};

bool LoadSound(const std::string& name, Sound& sound) {
  SDL_AudioSpec spec{};
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV((GeneratedFolder() / name).string().c_str(), &spec, &buffer, &length)) return false;
  sound.frequency = spec.freq;
  sound.channels = spec.channels;
  sound.format = spec.format;
  sound.samples.resize(length / 2);
  for (std::size_t i = 0; i < sound.samples.size(); ++i) {
    sound.samples[i] = static_cast<std::int16_t>(buffer[2 * i] | (buffer[2 * i + 1] << 8));
  }
  SDL_FreeWAV(buffer);
  return true;
}

// Crossings of zero per second over the samples [from, to): twice the pitch of a pure tone.
double CrossingRate(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to, int frequency) {
  int crossings = 0;
  for (std::size_t i = from + 1; i < to; ++i) crossings += (s[i - 1] < 0) != (s[i] < 0);
  return crossings * static_cast<double>(frequency) / static_cast<double>(to - from);
}

enum class Pitch { kHigh, kFalling, kLow, kRising, kAny };

struct Expected {
  const char* name;
  Pitch pitch;
};

constexpr Expected kSounds[] = {
    {"choose.wav", Pitch::kHigh},   // a short blip
    {"cancel.wav", Pitch::kFalling},
    {"wrong.wav", Pitch::kLow},     // a low buzz
    {"connect.wav", Pitch::kRising},
    {"win.wav", Pitch::kAny},
};

class ArtworkSounds : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(GeneratedFolder().empty()) << "the generator failed"; }
};

TEST_F(ArtworkSounds, EachIsShortMonoPcmThatFadesInAndOut) {
  for (const Expected& expected : kSounds) {
    Sound sound;
    ASSERT_TRUE(LoadSound(expected.name, sound)) << expected.name << ": " << SDL_GetError();
    EXPECT_EQ(sound.format, AUDIO_S16LSB) << expected.name;
    EXPECT_EQ(sound.channels, 1) << expected.name;
    EXPECT_EQ(sound.frequency, 22050) << expected.name;
    const double seconds = static_cast<double>(sound.samples.size()) / 22050.0;
    EXPECT_GE(seconds, 0.1) << expected.name;
    EXPECT_LE(seconds, 1.0) << expected.name;
    ASSERT_GT(sound.samples.size(), 200u);

    int peak = 0;
    for (std::int16_t s : sound.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_GT(peak, 32767 / 3) << expected.name << " is too quiet";
    // No click: the first and last millisecond stay close to silence.
    const std::size_t edge = 22;
    for (std::size_t i = 0; i < edge; ++i) {
      EXPECT_LT(std::abs(sound.samples[i]), peak / 4) << expected.name << " starts with a step";
      EXPECT_LT(std::abs(sound.samples[sound.samples.size() - 1 - i]), peak / 4) << expected.name << " ends with a step";
    }
  }
}

TEST_F(ArtworkSounds, EachHasItsOwnCharacter) {
  std::vector<Sound> sounds(std::size(kSounds));
  for (std::size_t i = 0; i < sounds.size(); ++i) ASSERT_TRUE(LoadSound(kSounds[i].name, sounds[i]));
  const Sound& choose = sounds[0];
  const double chooseRate = CrossingRate(choose.samples, 0, choose.samples.size() / 2, 22050);
  for (std::size_t i = 0; i < sounds.size(); ++i) {
    const auto& s = sounds[i].samples;
    const std::size_t quarter = s.size() / 4;
    const double early = CrossingRate(s, 0, quarter, 22050);
    const double late = CrossingRate(s, 2 * quarter, 3 * quarter, 22050);
    const double whole = CrossingRate(s, 0, s.size(), 22050);
    switch (kSounds[i].pitch) {
      case Pitch::kHigh: EXPECT_GT(whole, 1500) << kSounds[i].name; break;
      case Pitch::kFalling: EXPECT_GT(early, late * 1.2) << kSounds[i].name; break;
      case Pitch::kLow: EXPECT_LT(whole, chooseRate / 3) << kSounds[i].name; break;
      case Pitch::kRising: EXPECT_GT(late, early * 1.2) << kSounds[i].name; break;
      case Pitch::kAny: break;
    }
    for (std::size_t j = i + 1; j < sounds.size(); ++j) {
      const auto& t = sounds[j].samples;
      double difference = 0;
      for (std::size_t k = 0; k < std::max(s.size(), t.size()); ++k) {
        difference += std::abs((k < s.size() ? s[k] : 0) - (k < t.size() ? t[k] : 0));
      }
      EXPECT_GT(difference / static_cast<double>(std::max(s.size(), t.size())), 1000.0)
          << kSounds[i].name << " and " << kSounds[j].name << " are alike";
    }
  }
}

}  // namespace
}  // namespace kavelo::artwork::test
