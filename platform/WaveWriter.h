#pragma once
// 16-bit PCM WAV files: a RIFF container of one "fmt " chunk and one "data" chunk,
// little-endian as the format requires. The artwork generator writes its sounds with it,
// the tests and benchmarks their own.

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace kavelo::platform {

// The whole file: a 44-byte header, then the samples, channels interleaved. A sound too
// long for the 32-bit RIFF size is cut to fit.
inline std::vector<std::uint8_t> WaveFileBytes(std::span<const std::int16_t> samples, int channels, int rate) {
  constexpr std::uint32_t kHeaderBytes = 44;
  samples = samples.first(std::min<std::size_t>(samples.size(), (0xFFFFFFFFu - kHeaderBytes) / 2));
  std::vector<std::uint8_t> out;
  out.reserve(kHeaderBytes + samples.size() * 2);
  const auto put = [&out](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  const auto tag = [&out](const char (&id)[5]) { out.insert(out.end(), id, id + 4); };
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  const auto frameBytes = static_cast<std::uint32_t>(std::max(channels, 0) * 2);
  const auto perSecond = static_cast<std::uint32_t>(std::max(rate, 0));
  tag("RIFF"), put(kHeaderBytes - 8 + dataBytes, 4), tag("WAVE");
  tag("fmt "), put(16, 4), put(1, 2), put(frameBytes / 2, 2), put(perSecond, 4), put(perSecond * frameBytes, 4);
  put(frameBytes, 2), put(16, 2);
  tag("data"), put(dataBytes, 4);
  for (const std::int16_t sample : samples) put(static_cast<std::uint16_t>(sample), 2);
  return out;
}

}  // namespace kavelo::platform
