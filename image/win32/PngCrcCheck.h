#pragma once
// The check of a PNG's critical chunks (IHDR, PLTE, IDAT, IEND: the ones whose type begins
// with a capital) against their CRCs. The Linux decoder refuses a PNG whose critical chunk
// is corrupt and only drops a corrupt ancillary one; the system's decoder on Windows may not
// check at all, so the loader checks first and both systems refuse the same files.

#include <cstddef>
#include <cstdint>

namespace kavelo::image {

// False when a critical chunk's CRC does not match its type and data. Chunks that run
// past the end are left to the decoder. Reads only within the `size` bytes at `bytes`.
bool PngCriticalChunksIntact(const std::uint8_t* bytes, std::size_t size);

}  // namespace kavelo::image
