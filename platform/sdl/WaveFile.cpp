#include "platform/sdl/WaveFile.h"

#include "platform/RegularFile.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>

namespace kavelo::platform {
namespace {

constexpr std::uint16_t kTagPcm = 1;
constexpr std::uint16_t kTagFloat = 3;
constexpr std::uint16_t kTagExtensible = 0xFFFE;
constexpr std::size_t kPlainFormatBytes = 16;
constexpr std::size_t kExtensibleFormatBytes = 40;
// The extensible layout names its real format tag in the first two bytes of a GUID whose
// other fourteen bytes are always these.
constexpr std::array<std::uint8_t, 14> kFormatGuidTail = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                                          0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
// The converter keeps back the last stretch of a resampled sound even when flushed: up to
// this many frames at the output rate or at the source rate, whichever is more. Silence
// of this length goes in after the sound to carry its end out.
constexpr std::uint64_t kResamplerTailFrames = 1024;
// Frames handed to the converter at a time, so that the widened or cleaned copy of a
// chunk stays small.
constexpr std::size_t kConvertChunkFrames = 16384;

std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

bool HasId(std::span<const std::uint8_t> b, std::size_t at, const char (&id)[5]) {
  return std::memcmp(b.data() + at, id, 4) == 0;
}

std::optional<WaveFormat> ParseFormatChunk(std::span<const std::uint8_t> chunk) {
  if (chunk.size() < kPlainFormatBytes) return std::nullopt;
  std::uint16_t tag = Le16(chunk, 0);
  const int channels = Le16(chunk, 2);
  const std::uint32_t rate = Le32(chunk, 4);
  const int blockAlign = Le16(chunk, 12);
  const int bits = Le16(chunk, 14);
  if (tag == kTagExtensible) {
    if (chunk.size() < kExtensibleFormatBytes) return std::nullopt;
    if (!std::equal(kFormatGuidTail.begin(), kFormatGuidTail.end(), chunk.begin() + 26)) return std::nullopt;
    tag = Le16(chunk, 24);
  }
  WaveFormat format;
  if (tag == kTagPcm && bits == 8) {
    format.sample = WaveSampleFormat::kU8;
  } else if (tag == kTagPcm && bits == 16) {
    format.sample = WaveSampleFormat::kS16;
  } else if (tag == kTagPcm && bits == 24) {
    format.sample = WaveSampleFormat::kS24;
  } else if (tag == kTagPcm && bits == 32) {
    format.sample = WaveSampleFormat::kS32;
  } else if (tag == kTagFloat && bits == 32) {
    format.sample = WaveSampleFormat::kF32;
  } else {
    return std::nullopt;
  }
  if (channels < 1 || channels > kMaxWaveChannels) return std::nullopt;
  if (rate < static_cast<std::uint32_t>(kMinWaveRate) || rate > static_cast<std::uint32_t>(kMaxWaveRate)) {
    return std::nullopt;
  }
  format.channels = channels;
  format.rate = static_cast<int>(rate);
  if (blockAlign != WaveFrameBytes(format)) return std::nullopt;
  return format;
}

SDL_AudioFormat SourceFormat(WaveSampleFormat sample) {
  switch (sample) {
    case WaveSampleFormat::kU8:
      return AUDIO_U8;
    case WaveSampleFormat::kS16:
      return AUDIO_S16LSB;
    case WaveSampleFormat::kS24:  // widened to 32 bits before conversion
    case WaveSampleFormat::kS32:
      return AUDIO_S32LSB;
    case WaveSampleFormat::kF32:
      return AUDIO_F32LSB;
  }
  return AUDIO_S16LSB;
}

// 24-bit samples become 32-bit ones with the same value in the top three bytes.
void WidenS24(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out) {
  out.resize(in.size() / 3 * 4);
  for (std::size_t i = 0, o = 0; i + 3 <= in.size(); i += 3, o += 4) {
    out[o] = 0;
    out[o + 1] = in[i];
    out[o + 2] = in[i + 1];
    out[o + 3] = in[i + 2];
  }
}

// Not-a-number and infinities become silence: the converter's float-to-integer step has
// no defined result for them.
void CleanFloats(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out) {
  out.assign(in.begin(), in.end());
  for (std::size_t i = 0; i + 4 <= out.size(); i += 4) {
    std::uint32_t bits = Le32(out, i);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value)) std::memset(out.data() + i, 0, 4);
  }
}

// Appends everything the stream holds to out; false when the stream fails.
bool Drain(SDL_AudioStream* stream, std::vector<std::uint8_t>& out) {
  const int available = SDL_AudioStreamAvailable(stream);
  if (available <= 0) return available == 0;
  const std::size_t old = out.size();
  out.resize(old + static_cast<std::size_t>(available));
  const int got = SDL_AudioStreamGet(stream, out.data() + old, available);
  if (got < 0) return false;
  out.resize(old + static_cast<std::size_t>(got));
  return true;
}

}  // namespace

int WaveFrameBytes(const WaveFormat& format) {
  int bytes = 2;
  switch (format.sample) {
    case WaveSampleFormat::kU8:
      bytes = 1;
      break;
    case WaveSampleFormat::kS16:
      bytes = 2;
      break;
    case WaveSampleFormat::kS24:
      bytes = 3;
      break;
    case WaveSampleFormat::kS32:
    case WaveSampleFormat::kF32:
      bytes = 4;
      break;
  }
  return bytes * format.channels;
}

std::optional<WaveSound> ParseWave(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 12 || !HasId(bytes, 0, "RIFF") || !HasId(bytes, 8, "WAVE")) return std::nullopt;
  std::optional<WaveFormat> format;
  std::optional<std::span<const std::uint8_t>> data;
  // The size in the RIFF header is not trusted: the chunks are walked to the real end.
  std::size_t pos = 12;
  while ((!format || !data) && bytes.size() - pos >= 8) {
    const std::size_t size = Le32(bytes, pos + 4);
    const std::size_t body = pos + 8;
    if (size > bytes.size() - body) return std::nullopt;  // cut off
    const auto chunk = bytes.subspan(body, size);
    if (!format && HasId(bytes, pos, "fmt ")) {
      format = ParseFormatChunk(chunk);
      if (!format) return std::nullopt;
    } else if (!data && HasId(bytes, pos, "data")) {
      data = chunk;
    }
    // Chunks of odd size are followed by a pad byte, which a file may lack at its end.
    pos = std::min(body + size + (size & 1), bytes.size());
  }
  if (!format || !data) return std::nullopt;
  const std::size_t frameBytes = static_cast<std::size_t>(WaveFrameBytes(*format));
  const std::size_t frames = data->size() / frameBytes;
  if (frames == 0 || frames > kMaxWaveSeconds * static_cast<std::uint64_t>(format->rate)) return std::nullopt;
  return WaveSound{*format, data->first(frames * frameBytes)};
}

std::vector<std::uint8_t> ConvertWaveForOutput(const WaveSound& sound) {
  const WaveFormat& format = sound.format;
  std::unique_ptr<SDL_AudioStream, decltype(&SDL_FreeAudioStream)> stream(
      SDL_NewAudioStream(SourceFormat(format.sample), static_cast<Uint8>(format.channels), format.rate,
                         AUDIO_S16SYS, kWaveOutputChannels, kWaveOutputRate),
      SDL_FreeAudioStream);
  if (!stream) return {};
  const std::size_t frameBytes = static_cast<std::size_t>(WaveFrameBytes(format));
  const std::uint64_t frames = sound.samples.size() / frameBytes;
  std::vector<std::uint8_t> out;
  out.reserve(static_cast<std::size_t>(frames * kWaveOutputRate / static_cast<std::uint64_t>(format.rate) + 1) *
              kWaveOutputFrameBytes);
  std::vector<std::uint8_t> scratch;
  for (std::size_t at = 0; at < sound.samples.size(); at += kConvertChunkFrames * frameBytes) {
    auto chunk = sound.samples.subspan(at, std::min(kConvertChunkFrames * frameBytes, sound.samples.size() - at));
    if (format.sample == WaveSampleFormat::kS24) {
      WidenS24(chunk, scratch);
      chunk = scratch;
    } else if (format.sample == WaveSampleFormat::kF32) {
      CleanFloats(chunk, scratch);
      chunk = scratch;
    }
    if (SDL_AudioStreamPut(stream.get(), chunk.data(), static_cast<int>(chunk.size())) != 0) return {};
    if (!Drain(stream.get(), out)) return {};
  }
  if (format.rate != kWaveOutputRate) {
    const std::uint64_t padFrames =
        kResamplerTailFrames * std::max<std::uint64_t>(1, (format.rate + kWaveOutputRate - 1) / kWaveOutputRate);
    const std::uint8_t silence = format.sample == WaveSampleFormat::kU8 ? 0x80 : 0;
    const std::size_t sourceFrameBytes =
        format.sample == WaveSampleFormat::kS24 ? frameBytes / 3 * 4 : frameBytes;  // put as 32-bit
    scratch.assign(static_cast<std::size_t>(padFrames) * sourceFrameBytes, silence);
    if (SDL_AudioStreamPut(stream.get(), scratch.data(), static_cast<int>(scratch.size())) != 0) return {};
  }
  if (SDL_AudioStreamFlush(stream.get()) != 0 || !Drain(stream.get(), out)) return {};
  // Back to the sound's own length: the padding is not part of it.
  const std::uint64_t length = frames * kWaveOutputRate / static_cast<std::uint64_t>(format.rate);
  out.resize(std::min<std::size_t>(out.size(), static_cast<std::size_t>(length) * kWaveOutputFrameBytes));
  return out;
}

std::optional<std::vector<std::uint8_t>> ReadWaveFileBytes(const std::string& path) {
  FileBytes file;
  const FileRead read = ReadRegularFile(path, kMaxWaveFileBytes, file);
  if (read == FileRead::Empty) return std::vector<std::uint8_t>();
  if (read != FileRead::Ok) return std::nullopt;
  return std::vector<std::uint8_t>(file.data.get(), file.data.get() + file.size);
}

std::vector<std::uint8_t> LoadWaveForOutput(const std::string& path) {
  const auto bytes = ReadWaveFileBytes(path);
  if (!bytes) return {};
  const auto sound = ParseWave(*bytes);
  if (!sound) return {};
  return ConvertWaveForOutput(*sound);
}

}  // namespace kavelo::platform
