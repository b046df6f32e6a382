#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "platform/WaveFile.h"
#include "tests/sound/WaveWriter.h"

using namespace kavelo::platform;
using kavelo::test::MakeWave;
using kavelo::test::WaveHeader;
using Bytes = std::vector<std::uint8_t>;
using Fmt = WaveSampleFormat;

namespace {

Bytes Zeros(std::size_t n) { return Bytes(n, 0); }

Bytes Chunk(const char* id, const Bytes& body, bool pad = true, std::uint32_t size = UINT32_MAX) {
  Bytes out(id, id + 4);
  if (size == UINT32_MAX) size = static_cast<std::uint32_t>(body.size());
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(size >> (8 * i)));
  out.insert(out.end(), body.begin(), body.end());
  if (pad && body.size() % 2 != 0) out.push_back(0);
  return out;
}

Bytes Riff(std::initializer_list<Bytes> chunks) {
  Bytes out{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
  for (const Bytes& c : chunks) out.insert(out.end(), c.begin(), c.end());
  return out;
}

// The "fmt " body that the writer makes for a header.
Bytes FormatOf(const WaveHeader& h) {
  const Bytes whole = MakeWave(h, {});
  return Bytes(whole.begin() + 20, whole.begin() + (h.extensible ? 60 : 36));
}

Bytes Edit(Bytes bytes, std::size_t at, std::uint8_t value) {
  bytes.at(at) = value;
  return bytes;
}

Bytes First(const Bytes& bytes, std::size_t n) { return Bytes(bytes.begin(), bytes.begin() + n); }

std::vector<std::int16_t> Samples(const Bytes& bytes) {
  std::vector<std::int16_t> out(bytes.size() / 2);
  std::memcpy(out.data(), bytes.data(), out.size() * 2);
  return out;
}

}  // namespace

TEST(WaveFileTest, OnlyCompleteSupportedWavesParse) {
  const WaveHeader stereo{1, 2, 48000, 16};
  const Bytes good = MakeWave(stereo, Zeros(40));  // "fmt " body at 20, data at 44
  struct Case {
    const char* name;
    Bytes file;
    std::optional<Fmt> sample;  // empty: refused
    int channels = 0, rate = 0;
    std::size_t sampleBytes = 0;
  } cases[] = {
      {"16-bit stereo", good, Fmt::kS16, 2, 48000, 40},
      {"extensible float", MakeWave({3, 8, 96000, 32, true}, Zeros(64)), Fmt::kF32, 8, 96000, 64},
      {"other chunks, one of odd size, and data first",
       Riff({Chunk("LIST", Bytes(5, 'x')), Chunk("data", Zeros(8)), Chunk("fmt ", FormatOf(stereo))}), Fmt::kS16, 2,
       48000, 8},
      {"a partial last frame is left out", MakeWave(stereo, Zeros(43)), Fmt::kS16, 2, 48000, 40},
      {"odd data without its pad byte at the end",
       Riff({Chunk("fmt ", FormatOf({1, 1, 8000, 8})), Chunk("data", Zeros(3), false)}), Fmt::kU8, 1, 8000, 3},
      {"a wrong size in the RIFF header", Edit(good, 4, 3), Fmt::kS16, 2, 48000, 40},
      {"the longest sound", MakeWave({1, 1, 1000, 8}, Zeros(120000)), Fmt::kU8, 1, 1000, 120000},
      {"nothing", {}, {}},
      {"text", Bytes{'J', 'u', 's', 't', ' ', 's', 'o', 'm', 'e', ' ', 't', 'e', 'x', 't'}, {}},
      {"big-endian RIFX", Edit(good, 3, 'X'), {}},
      {"not WAVE", Edit(good, 8, 'A'), {}},
      {"cut inside fmt", First(good, 30), {}},
      {"cut inside data", First(good, good.size() - 1), {}},
      {"data of 4 GiB", Riff({Chunk("fmt ", FormatOf(stereo)), Chunk("data", {}, true, 0xFFFFFFFF)}), {}},
      {"a chunk size that wraps around",
       Riff({Chunk("junk", {}, true, 0xFFFFFFF8), Chunk("fmt ", FormatOf(stereo)), Chunk("data", Zeros(8))}), {}},
      {"no data", Riff({Chunk("fmt ", FormatOf(stereo))}), {}},
      {"no fmt", Riff({Chunk("data", Zeros(8))}), {}},
      {"fmt too short", Riff({Chunk("fmt ", First(FormatOf(stereo), 14)), Chunk("data", Zeros(8))}), {}},
      {"extensible tag in a short fmt", Riff({Chunk("fmt ", Edit(Edit(FormatOf(stereo), 0, 0xFE), 1, 0xFF)), Chunk("data", Zeros(8))}), {}},
      {"extensible with a foreign GUID", Edit(MakeWave({1, 2, 48000, 16, true}, Zeros(8)), 59, 0x72), {}},
      {"compressed", MakeWave({2, 1, 8000, 4}, Zeros(8)), {}},
      {"12-bit", MakeWave({1, 1, 8000, 12}, Zeros(8)), {}},
      {"64-bit float", MakeWave({3, 1, 8000, 64}, Zeros(16)), {}},
      {"no channel", MakeWave({1, 0, 8000, 16}, Zeros(8)), {}},
      {"nine channels", MakeWave({1, 9, 8000, 16}, Zeros(18)), {}},
      {"rate below audio", MakeWave({1, 1, 999, 16}, Zeros(8)), {}},
      {"rate above audio", MakeWave({1, 1, 384001, 16}, Zeros(8)), {}},
      {"a block size that disagrees", Edit(good, 32, 3), {}},
      {"no whole frame", MakeWave(stereo, Zeros(3)), {}},
      {"longer than the longest sound", MakeWave({1, 1, 1000, 8}, Zeros(120001)), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto sound = ParseWave(c.file);
    ASSERT_EQ(sound.has_value(), c.sample.has_value());
    if (!sound) continue;
    EXPECT_EQ(sound->format.sample, *c.sample);
    EXPECT_EQ(sound->format.channels, c.channels);
    EXPECT_EQ(sound->format.rate, c.rate);
    EXPECT_EQ(sound->samples.size(), c.sampleBytes);
  }
}

TEST(WaveFileTest, EverySampleFormatKeepsItsLevelAtTheOutput) {
  constexpr int kFrames = 2000;
  const auto f32 = [](float v) {
    Bytes b(4);
    std::memcpy(b.data(), &v, 4);
    return b;
  };
  struct Case {
    const char* name;
    WaveHeader header;
    Bytes frame;  // one input frame, repeated
    int left, right;
    int tolerance;  // the converter rounds some formats through float
  } cases[] = {
      {"8-bit", {1, 1, 48000, 8}, {0xC0}, 16384, 16384, 0},
      {"16-bit stereo keeps its channels", {1, 2, 48000, 16}, {0xE8, 0x03, 0x18, 0xFC}, 1000, -1000, 0},
      {"24-bit keeps its top 16 bits", {1, 1, 48000, 24}, {0x56, 0x34, 0x12}, 0x1234, 0x1234, 1},
      {"24-bit negative", {1, 1, 48000, 24, true}, {0x00, 0x00, 0xC0}, -16384, -16384, 1},
      {"32-bit integer", {1, 1, 48000, 32}, {0x00, 0x00, 0x00, 0x40}, 16384, 16384, 1},
      {"float", {3, 1, 48000, 32}, f32(0.5f), 16384, 16384, 1},
      {"float above full scale clips", {3, 1, 48000, 32}, f32(2.0f), 32767, 32767, 0},
      {"float not-a-number is silence", {3, 1, 48000, 32}, f32(std::numeric_limits<float>::quiet_NaN()), 0, 0, 0},
      {"float infinity is silence", {3, 1, 48000, 32}, f32(-std::numeric_limits<float>::infinity()), 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes samples;
    for (int i = 0; i < kFrames; ++i) samples.insert(samples.end(), c.frame.begin(), c.frame.end());
    const Bytes file = MakeWave(c.header, samples);
    const auto sound = ParseWave(file);
    ASSERT_TRUE(sound.has_value());
    const auto out = Samples(ConvertWaveForOutput(*sound));
    ASSERT_EQ(out.size(), 2u * kFrames);
    for (std::size_t i = 0; i < out.size(); i += 2) {
      ASSERT_NEAR(out[i], c.left, c.tolerance) << "frame " << i / 2;
      ASSERT_NEAR(out[i + 1], c.right, c.tolerance) << "frame " << i / 2;
    }
  }
}

TEST(WaveFileTest, OtherRatesAndChannelCountsKeepTheWholeSound) {
  const WaveHeader cases[] = {{1, 1, 8000, 16}, {1, 2, 11025, 16}, {1, 6, 96000, 16}, {1, 1, 192000, 16}};
  for (const WaveHeader& h : cases) {
    SCOPED_TRACE(testing::Message() << h.rate << " Hz, " << h.channels << " channels");
    std::vector<std::int16_t> values(static_cast<std::size_t>(h.rate * h.channels));  // one second
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<std::int16_t>(8000 * std::sin(i * 0.05));
    const Bytes file = MakeWave(h, {reinterpret_cast<const std::uint8_t*>(values.data()), values.size() * 2});
    const auto out = Samples(ConvertWaveForOutput(*ParseWave(file)));
    ASSERT_EQ(out.size(), 2u * 48000) << "the sound keeps its length";
    int tail = 0;  // the last 20 ms, which a resampler may keep back
    for (std::size_t i = out.size() - 2 * 960; i < out.size(); ++i) tail = std::max(tail, std::abs(int{out[i]}));
    EXPECT_GT(tail, 4000) << "the end of the sound is not lost";
  }
}

TEST(WaveFileTest, OnlyRegularFilesOfBoundedSizeAreRead) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(testing::TempDir()) / ("kavelo_wavefile_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const auto file = [&](const char* name, std::uintmax_t size) {
    const std::string path = (dir / name).string();
    kavelo::test::WriteFile(path, {});
    fs::resize_file(path, size);
    return path;
  };
  const std::string pipe = (dir / "pipe.wav").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  fs::create_symlink(pipe, dir / "link.wav");
  const std::string small = file("small.wav", 3);
  struct Case {
    const char* name;
    std::string path;
    std::optional<std::size_t> size;
  } cases[] = {
      {"a small file", small, 3},
      {"a file at the limit", file("limit.wav", kMaxWaveFileBytes), kMaxWaveFileBytes},
      {"a file over the limit", file("large.wav", kMaxWaveFileBytes + 1), {}},
      {"a missing file", (dir / "missing.wav").string(), {}},
      {"a directory", dir.string(), {}},
      {"a pipe without a writer", pipe, {}},
      {"a link to a pipe", (dir / "link.wav").string(), {}},
      {"a device", "/dev/zero", {}},
      {"an empty path", "", {}},
      {"a path cut short by a NUL", small + std::string(1, '\0') + "x", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto bytes = ReadWaveFileBytes(c.path);
    ASSERT_EQ(bytes.has_value(), c.size.has_value());
    if (bytes) {
      EXPECT_EQ(bytes->size(), *c.size);
    }
  }
  fs::remove_all(dir);
}
