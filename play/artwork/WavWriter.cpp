#include "play/artwork/WavWriter.h"

#include <fstream>

namespace kavelo::artwork {
namespace {

constexpr std::uint16_t kPcmFormat = 1;
constexpr std::uint16_t kChannels = 1;
constexpr std::uint16_t kBitsPerSample = 16;
constexpr std::uint32_t kHeaderBytes = 44;
// The RIFF size field is 32 bits; keep the whole file under it.
constexpr std::size_t kMaxSamples = (0xFFFFFFFFu - kHeaderBytes) / 2;

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>((v >> shift) & 0xFF));
}

void PutTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

std::vector<std::uint8_t> WavBytes(std::span<const std::int16_t> samples, int sampleRate) {
  if (samples.size() > kMaxSamples) samples = samples.first(kMaxSamples);
  const auto rate = static_cast<std::uint32_t>(sampleRate > 0 ? sampleRate : 0);
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * sizeof(std::int16_t));
  const std::uint16_t blockAlign = kChannels * kBitsPerSample / 8;
  std::vector<std::uint8_t> out;
  out.reserve(kHeaderBytes + dataBytes);
  PutTag(out, "RIFF");
  Put32(out, kHeaderBytes - 8 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, kPcmFormat);
  Put16(out, kChannels);
  Put32(out, rate);
  Put32(out, rate * blockAlign);
  Put16(out, blockAlign);
  Put16(out, kBitsPerSample);
  PutTag(out, "data");
  Put32(out, dataBytes);
  for (std::int16_t s : samples) Put16(out, static_cast<std::uint16_t>(s));
  return out;
}

bool WriteWav(std::span<const std::int16_t> samples, int sampleRate, const std::filesystem::path& file,
              std::string& error) {
  if (samples.empty() || sampleRate <= 0) {
    error = "no sound to write to " + file.string();
    return false;
  }
  const std::vector<std::uint8_t> bytes = WavBytes(samples, sampleRate);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    error = "cannot write " + file.string();
    return false;
  }
  return true;
}

}  // namespace kavelo::artwork
