#pragma once
// An icon entry in BMP form: an info header, a colour table, colour rows bottom-up, then
// a mask of one bit a pixel (1: transparent) that gives pictures without alpha their
// transparency.

#include <cstddef>
#include <cstdint>

#include "image/DecodedPicture.h"

namespace kavelo::image {

// Decodes the `size` bytes of one entry into `picture`. Takes 1, 4, 8, 24 and 32 bits a
// pixel, uncompressed; a 32-bit entry whose alpha is all zero takes its transparency from
// the mask. Returns the codes of DecodePicture.
int DecodeIconBitmap(const std::uint8_t* data, std::size_t size, DecodedPicture& picture);

// The entry an icon or cursor file shows (IconDirectory.h): a BMP-form entry decoded
// here, a PNG entry by the platform's decoder like any PNG file, size check included.
int DecodeIcon(const std::uint8_t* bytes, std::size_t size, DecodedPicture& picture);

}  // namespace kavelo::image
