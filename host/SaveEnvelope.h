#pragma once
// The envelope of a saved game: a magic, a version, the body's length and its CRC-32,
// four bytes each, little-endian, then the body.

#include <cstddef>
#include <vector>

namespace kavelo::host {

// The body with the envelope around it.
std::vector<unsigned char> SealSave(const std::vector<unsigned char>& body);

// The body inside `bytes`: false unless the magic and version are this build's, the
// length is exactly what follows and the checksum matches.
bool OpenSave(const unsigned char* bytes, std::size_t size, const unsigned char*& body, std::size_t& bodySize);

}  // namespace kavelo::host
