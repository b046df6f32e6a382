#pragma once
// The generated sound effects as files: 16-bit PCM, mono.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace kavelo::artwork {

// False with a reason in `error` when there are no samples, the rate is not positive or
// the file cannot be written.
bool WriteWav(std::span<const std::int16_t> samples, int sampleRate, const std::filesystem::path& file,
              std::string& error);

}  // namespace kavelo::artwork
