// WAV files as the playback reads them: a sound is taken only when its header is whole and
// agrees with itself, whatever the order of its chunks, and samples of every kind reach
// the output format with their values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <tuple>

#include "platform/sdl/WaveFile.h"
#include "platform/WaveWriter.h"
#include "tests/support/TestFiles.h"

using namespace kavelo::platform;
using kavelo::test::Bytes;
using kavelo::test::Patched;

namespace {

// A file whose header says `tag` and `bits` (block alignment `align`, or the right one),
// over the sample bytes given.
Bytes Wave(std::uint16_t tag, int channels, int rate, int bits, const Bytes& data, int align = 0) {
  Bytes wave = WaveFileBytes({}, channels, rate);
  wave = Patched(Patched(wave, 20, tag, 2, false), 34, static_cast<std::uint32_t>(bits), 2, false);
  wave = Patched(Patched(wave, 32, static_cast<std::uint32_t>(align ? align : channels * bits / 8), 2, false), 40,
                 static_cast<std::uint32_t>(data.size()), 4, false);
  wave.insert(wave.end(), data.begin(), data.end());
  return wave;
}

// The same file with its data chunk, and the pad byte that follows a chunk of odd size,
// moved before its format chunk.
Bytes DataFirst(const Bytes& wave) {
  Bytes moved(wave.begin(), wave.begin() + 12);
  moved.insert(moved.end(), wave.begin() + 36, wave.end());
  if (wave.size() % 2 != 0) moved.push_back(0);
  moved.insert(moved.end(), wave.begin() + 12, wave.begin() + 36);
  return moved;
}

Bytes Floats(std::initializer_list<float> values) {
  Bytes bytes(values.size() * 4);
  std::memcpy(bytes.data(), std::data(values), bytes.size());
  return bytes;
}

}  // namespace

// Where `left` is given, the sound is also converted: the output's left channel, frame by
// frame (mono is copied to both); the converter goes through floats, so within one.
TEST(WaveFile, OnlyWholeConsistentHeadersAreTakenAndEveryKindOfSampleKeepsItsValue) {
  using enum WaveSampleFormat;
  const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
  const Bytes four(4, 1), eight(8, 1);  // samples
  struct Case {
    const char* what;
    Bytes wave;
    std::optional<std::tuple<WaveSampleFormat, int, int, std::size_t>> taken;  // format, channels, rate, bytes
    std::vector<std::int16_t> left = {};
  } cases[] = {
      {"16-bit stereo", Wave(1, 2, 22050, 16, eight), std::tuple(kS16, 2, 22050, 8)},
      {"8-bit: 0x80 is silence", Wave(1, 1, 48000, 8, {0x80, 0xFF, 0x00}), std::tuple(kU8, 1, 48000, 3),
       {0, 32512, -32768}},
      {"24-bit, a byte of a frame over: the top 16 bits", Wave(1, 1, 48000, 24, {0x12, 0x34, 0x56, 0, 0, 0x80, 7}),
       std::tuple(kS24, 1, 48000, 6), {0x5634, -32768}},
      {"float: infinities and not-a-number are silence", Wave(3, 1, 48000, 32, Floats({inf, -inf, nan, 0.5f})),
       std::tuple(kF32, 1, 48000, 16), {0, 0, 0, 16384}},
      {"a data chunk of odd size and its pad byte first", DataFirst(Wave(1, 1, 8000, 8, {1, 2, 3})),
       std::tuple(kU8, 1, 8000, 3)},
      {"120 seconds", Wave(1, 1, 1000, 8, Bytes(120000, 1)), std::tuple(kU8, 1, 1000, 120000)},
      {"longer than 120 seconds", Wave(1, 1, 1000, 8, Bytes(120001, 1)), std::nullopt},
      {"float samples of 16 bits", Wave(3, 1, 48000, 16, four), std::nullopt},
      {"9 channels", Wave(1, 9, 48000, 16, Bytes(18, 1)), std::nullopt},
      {"a rate of 999", Wave(1, 1, 999, 16, four), std::nullopt},
      {"a block alignment that disagrees", Wave(1, 2, 48000, 16, eight, 2), std::nullopt},
      {"data shorter than its size", Patched(Wave(1, 2, 48000, 16, eight), 40, 12, 4, false), std::nullopt},
      {"no whole frame", Wave(1, 1, 44100, 24, {1, 2}), std::nullopt},
  };
  for (const Case& c : cases) {
    const auto sound = ParseWave(c.wave);
    ASSERT_EQ(sound.has_value(), c.taken.has_value()) << c.what;
    if (!sound) continue;
    EXPECT_EQ(std::tuple(sound->format.sample, sound->format.channels, sound->format.rate, sound->samples.size()),
              *c.taken)
        << c.what;
    if (c.left.empty()) continue;
    const Bytes out = ConvertWaveForOutput(*sound);
    ASSERT_EQ(out.size(), c.left.size() * kWaveOutputFrameBytes) << c.what;
    for (std::size_t i = 0; i < c.left.size(); ++i) {
      std::int16_t frame[2];
      std::memcpy(frame, &out[i * kWaveOutputFrameBytes], sizeof frame);
      EXPECT_NEAR(frame[0], c.left[i], 1) << c.what << ", frame " << i;
      EXPECT_EQ(frame[0], frame[1]) << c.what << ", frame " << i;
    }
  }
}
