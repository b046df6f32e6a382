#pragma once
// Test support: WAV files made in memory, and sounds that can be recognised again in what
// the audio device was given.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kavelo::test {

struct WaveHeader {
  std::uint16_t tag = 1;  // 1 integer PCM, 3 float
  int channels = 2;
  int rate = 48000;
  int bits = 16;
  bool extensible = false;  // the 40-byte format chunk that names the tag in a GUID
};

// A RIFF WAVE with a "fmt " chunk from the header and a "data" chunk of the bytes given.
std::vector<std::uint8_t> MakeWave(const WaveHeader& header, std::span<const std::uint8_t> samples);

// A 16-bit stereo WAV at the output rate, which plays unchanged: the left channel counts
// up from 1, the right one holds `marker` throughout, so that sounds with different
// markers never match and no frame is silence. Its samples are its last 4 * frames bytes.
std::vector<std::uint8_t> MarkedWave(std::int16_t marker, int frames);

bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace kavelo::test
