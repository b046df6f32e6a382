#include "play/artwork/WavWriter.h"

#include <fstream>

#include "platform/WaveWriter.h"

namespace kavelo::artwork {

bool WriteWav(std::span<const std::int16_t> samples, int sampleRate, const std::filesystem::path& file,
              std::string& error) {
  if (samples.empty() || sampleRate <= 0) {
    error = "no sound to write to " + file.string();
    return false;
  }
  const std::vector<std::uint8_t> bytes = platform::WaveFileBytes(samples, 1, sampleRate);
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
