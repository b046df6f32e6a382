#pragma once
// Wave files: a RIFF container holding one "fmt " chunk (16-bit PCM, mono) and one
// "data" chunk, little-endian as the format requires.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace kavelo::artwork {

// The whole file's bytes; a 44-byte header, then the samples.
std::vector<std::uint8_t> WavBytes(std::span<const std::int16_t> samples, int sampleRate);
// False with a reason in `error` when there are no samples, the rate is not positive or
// the file cannot be written.
bool WriteWav(std::span<const std::int16_t> samples, int sampleRate, const std::filesystem::path& file,
              std::string& error);

}  // namespace kavelo::artwork
