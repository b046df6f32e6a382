#include "play/artwork/WavWriter.h"

#include "platform/WaveWriter.h"
#include "play/artwork/FileBytes.h"

namespace kavelo::artwork {

bool WriteWav(std::span<const std::int16_t> samples, int sampleRate, const std::filesystem::path& file,
              std::string& error) {
  if (samples.empty() || sampleRate <= 0) {
    error = "no sound to write to " + file.string();
    return false;
  }
  const std::vector<std::uint8_t> bytes = platform::WaveFileBytes(samples, 1, sampleRate);
  return WriteFileBytes(file, bytes, error);
}

}  // namespace kavelo::artwork
