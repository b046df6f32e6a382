#include "tests/support/TestFiles.h"

#include <fstream>

#include "platform/WaveWriter.h"

namespace kavelo::test {

Bytes MarkedWave(std::int16_t marker, int frames) {
  std::vector<std::int16_t> samples;
  for (int i = 0; i < frames; ++i) samples.insert(samples.end(), {static_cast<std::int16_t>(1 + i % 30000), marker});
  return platform::WaveFileBytes(samples, 2, 48000);
}

bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace kavelo::test
