#pragma once
// WAV files turned into the samples that the wave playback sends to the audio device.
// Every file is hostile: it is read only when it is a regular file of bounded size, and
// its bytes are played only when they are a complete, supported RIFF WAVE.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kavelo::platform {

// The one format the audio device is opened with: every sound is converted to it.
// Samples are signed 16-bit in the machine's byte order, channels interleaved.
inline constexpr int kWaveOutputRate = 48000;
inline constexpr int kWaveOutputChannels = 2;
inline constexpr int kWaveOutputFrameBytes = kWaveOutputChannels * 2;

// A sound effect lasts seconds; a larger or longer file is refused rather than held whole
// in memory (two minutes at the output format are 23 MB).
inline constexpr std::size_t kMaxWaveFileBytes = 64u << 20;
inline constexpr std::uint64_t kMaxWaveSeconds = 120;
// The audio converter mixes down at most this many channels.
inline constexpr int kMaxWaveChannels = 8;
// Sample rates outside this range are not audio that anybody records.
inline constexpr int kMinWaveRate = 1000;
inline constexpr int kMaxWaveRate = 384000;

enum class WaveSampleFormat { kU8, kS16, kS24, kS32, kF32 };

struct WaveFormat {
  WaveSampleFormat sample = WaveSampleFormat::kS16;
  int channels = 0;
  int rate = 0;
};

// The sound of a parsed file: its format and its sample bytes (little-endian, whole
// frames only), which point into the parsed buffer.
struct WaveSound {
  WaveFormat format;
  std::span<const std::uint8_t> samples;
};

// Bytes per frame (one sample of every channel) of a format.
int WaveFrameBytes(const WaveFormat& format);

// Reads a RIFF WAVE: plain PCM of 8, 16, 24 or 32 bits, 32-bit float, and either one in
// the extensible layout, 1 to kMaxWaveChannels channels. Chunks may come in any order;
// the first "fmt " and the first "data" count. Empty when the bytes are not such a file,
// when the data chunk runs past the end, when it holds no whole frame, or when the sound
// is longer than kMaxWaveSeconds.
std::optional<WaveSound> ParseWave(std::span<const std::uint8_t> bytes);

// The sound in the output format. Empty when the audio converter refuses it.
std::vector<std::uint8_t> ConvertWaveForOutput(const WaveSound& sound);

// The bytes of a regular file of at most kMaxWaveFileBytes; empty optional for anything
// else (missing, unreadable, a directory, a pipe, a device, too large). Never blocks on a
// pipe or a device.
std::optional<std::vector<std::uint8_t>> ReadWaveFileBytes(const std::string& path);

// Read, parse and convert: the samples to send to the device, empty when there is nothing
// to play. Paths with an embedded NUL are refused (the file system would see a shorter
// path).
std::vector<std::uint8_t> LoadWaveForOutput(const std::string& path);

}  // namespace kavelo::platform
