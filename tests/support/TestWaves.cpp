#include "tests/support/TestFiles.h"

#include <fstream>
#include <initializer_list>
#include <utility>

namespace kavelo::test {

namespace {

// A four-letter chunk id as the number whose little-endian bytes spell it.
std::uint32_t Id(const char (&text)[5]) {
  return static_cast<std::uint32_t>(text[0] | text[1] << 8 | text[2] << 16 | text[3] << 24);
}

}  // namespace

Bytes MakeWave(const WaveHeader& h, std::span<const std::uint8_t> samples) {
  std::vector<std::uint8_t> out;
  // Little-endian fields, each a value and its width in bytes.
  const auto put = [&out](std::initializer_list<std::pair<std::uint32_t, int>> fields) {
    for (const auto& [value, bytes] : fields) {
      for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
  };
  const auto rate = static_cast<std::uint32_t>(h.rate), bits = static_cast<std::uint32_t>(h.bits);
  const auto align = static_cast<std::uint32_t>(h.channels) * bits / 8;
  const auto dataBytes = static_cast<std::uint32_t>(samples.size());
  const std::uint32_t formatBytes = h.extensible ? 40 : 16;
  put({{Id("RIFF"), 4}, {4 + 8 + formatBytes + 8 + dataBytes + dataBytes % 2, 4}, {Id("WAVE"), 4}, {Id("fmt "), 4},
       {formatBytes, 4}, {h.extensible ? 0xFFFEu : h.tag, 2}, {static_cast<std::uint32_t>(h.channels), 2},
       {rate, 4}, {rate * align, 4}, {align, 2}, {bits, 2}});
  if (h.extensible) {  // extra size, valid bits, channel mask, then the tag in a GUID
    put({{22, 2}, {bits, 2}, {0, 4}, {h.tag, 2}});
    out.insert(out.end(), {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71});
  }
  put({{Id("data"), 4}, {dataBytes, 4}});
  out.insert(out.end(), samples.begin(), samples.end());
  if (dataBytes % 2 != 0) out.push_back(0);
  return out;
}

Bytes MarkedWave(std::int16_t marker, int frames) {
  std::vector<std::int16_t> samples;
  for (int i = 0; i < frames; ++i) samples.insert(samples.end(), {static_cast<std::int16_t>(1 + i % 30000), marker});
  return MakeWave({}, std::span(reinterpret_cast<const std::uint8_t*>(samples.data()), samples.size() * 2));
}

bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace kavelo::test
