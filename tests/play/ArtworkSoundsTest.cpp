#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "tests/play/GeneratedArtwork.h"

namespace kavelo::artwork::test {
namespace {

TEST_F(ArtworkFiles, SoundsAreShortMonoPcmThatFadeInAndOutAndDiffer) {
  constexpr const char* kSounds[] = {"choose.wav", "cancel.wav", "wrong.wav", "connect.wav", "win.wav"};
  constexpr int kRate = 22050;
  std::vector<std::vector<int>> sounds;
  for (const char* name : kSounds) {
    SDL_AudioSpec format{};
    Uint8* bytes = nullptr;
    Uint32 length = 0;
    ASSERT_TRUE(SDL_LoadWAV((GeneratedFolder() / name).string().c_str(), &format, &bytes, &length)) << name;
    EXPECT_EQ(std::tuple(format.format, format.channels, format.freq), std::tuple(AUDIO_S16LSB, 1, kRate)) << name;
    std::vector<int>& s = sounds.emplace_back(length / 2);
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = static_cast<std::int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    SDL_FreeWAV(bytes);
    // A tenth of a second to a second.
    ASSERT_TRUE(s.size() >= kRate / 10 && s.size() <= kRate) << name << " lasts " << s.size() << " samples";
    int peak = 0;
    for (int v : s) peak = std::max(peak, std::abs(v));
    EXPECT_GT(peak, 32767 / 3) << name << " is too quiet";
    // No click: the first and last millisecond stay close to silence.
    for (std::size_t i = 0; i < kRate / 1000; ++i) {
      EXPECT_LT(std::max(std::abs(s[i]), std::abs(s[s.size() - 1 - i])), peak / 4) << name << " steps at an end";
    }
    for (std::size_t j = 0; j + 1 < sounds.size(); ++j) {
      const std::vector<int>& t = sounds[j];
      double difference = 0;
      for (std::size_t k = 0; k < std::max(s.size(), t.size()); ++k) {
        difference += std::abs((k < s.size() ? s[k] : 0) - (k < t.size() ? t[k] : 0));
      }
      EXPECT_GT(difference / static_cast<double>(std::max(s.size(), t.size())), 1000.0)
          << name << " and " << kSounds[j] << " sound alike";
    }
  }
}

}  // namespace
}  // namespace kavelo::artwork::test
