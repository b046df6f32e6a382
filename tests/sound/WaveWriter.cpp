#include "tests/sound/WaveWriter.h"

#include <cstring>
#include <fstream>

namespace kavelo::test {
namespace {

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutId(std::vector<std::uint8_t>& out, const char* id) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(id[i]));
}

}  // namespace

std::vector<std::uint8_t> MakeWave(const WaveHeader& h, std::span<const std::uint8_t> samples) {
  std::vector<std::uint8_t> out;
  const auto blockAlign = static_cast<std::uint32_t>(h.channels * h.bits / 8);
  PutId(out, "RIFF");
  Put(out, 0, 4);  // filled in at the end
  PutId(out, "WAVE");
  PutId(out, "fmt ");
  Put(out, h.extensible ? 40 : 16, 4);
  Put(out, h.extensible ? 0xFFFE : h.tag, 2);
  Put(out, static_cast<std::uint32_t>(h.channels), 2);
  Put(out, static_cast<std::uint32_t>(h.rate), 4);
  Put(out, static_cast<std::uint32_t>(h.rate) * blockAlign, 4);
  Put(out, blockAlign, 2);
  Put(out, static_cast<std::uint32_t>(h.bits), 2);
  if (h.extensible) {
    Put(out, 22, 2);
    Put(out, static_cast<std::uint32_t>(h.bits), 2);
    Put(out, 0, 4);
    Put(out, h.tag, 2);
    for (std::uint8_t b : {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}) {
      out.push_back(b);
    }
  }
  PutId(out, "data");
  Put(out, static_cast<std::uint32_t>(samples.size()), 4);
  out.insert(out.end(), samples.begin(), samples.end());
  if (samples.size() % 2 != 0) out.push_back(0);
  const auto riffSize = static_cast<std::uint32_t>(out.size() - 8);
  std::memcpy(out.data() + 4, &riffSize, 4);  // the tests run on little-endian machines
  return out;
}

std::vector<std::int16_t> MarkedStereo(std::int16_t marker, int frames) {
  std::vector<std::int16_t> out;
  for (int i = 0; i < frames; ++i) {
    out.push_back(static_cast<std::int16_t>(1 + i % 30000));
    out.push_back(marker);
  }
  return out;
}

std::vector<std::uint8_t> MarkedWave(std::int16_t marker, int frames) {
  const auto samples = MarkedStereo(marker, frames);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(samples.data());
  return MakeWave(WaveHeader{}, std::span(bytes, samples.size() * 2));
}

bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace kavelo::test
