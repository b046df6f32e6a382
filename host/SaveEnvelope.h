#pragma once
// The envelope of a saved game: a magic, a version, the body's length and its CRC-32,
// four bytes each, little-endian, then the body.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kavelo::host {

// The body, written in the format `version`, with the envelope around it.
std::vector<unsigned char> SealSave(const std::vector<unsigned char>& body, std::uint32_t version);

// The body inside `bytes` and its format's version: false unless the magic is right, the
// version is from 1 to `newest`, the length is exactly what follows and the checksum
// matches.
bool OpenSave(const unsigned char* bytes, std::size_t size, std::uint32_t newest, const unsigned char*& body,
              std::size_t& bodySize, std::uint32_t& version);

}  // namespace kavelo::host
