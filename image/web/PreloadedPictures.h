#pragma once
// The pictures the browser decoded ahead of use. Browsers decode only asynchronously,
// while the plug-in loads its pictures synchronously during set-up; so the page decodes
// each picture file as it preloads it and hands the pixels over here, keyed by the
// file's bytes. The decoder then finds a picture by the bytes it is given, whatever path
// they were read from, and bytes that changed since find nothing.

#include <cstddef>
#include <cstdint>

#include "image/DecodedPicture.h"

namespace kavelo::image {

// Copies the pixels preloaded for exactly these bytes into `picture`. Returns
// kPictureLoaded, kPictureNotDecodable when there are none (the page did not preload
// them, or the browser could not decode them), kPictureNoMemory when the copy cannot be
// had.
int TakePreloadedPicture(const std::uint8_t* bytes, std::size_t size, DecodedPicture& picture);

}  // namespace kavelo::image
