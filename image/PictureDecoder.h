#pragma once
// Bytes of a recognised format to decoded pixels, without any display. One back end per
// platform: SDL_image (sdl/, icon entries in BMP form by IconBitmap), the Windows
// Imaging Component (win32/), or the browser (web/: the pixels its decoders produced when
// the page preloaded the file; icon entries in BMP form by IconBitmap).

#include <cstddef>
#include <cstdint>

#include "image/DecodedPicture.h"
#include "image/DeclaredSize.h"

namespace kavelo::image {

// Decodes `size` bytes of `format` into `picture`. Returns kPictureLoaded and sets
// `picture`, kPictureNotDecodable when the bytes do not decode or decode to a picture
// wider or taller than kMaxPictureSide, kPictureNoMemory when the conversion to 32 bits
// cannot be had. `picture` is left alone on failure.
int DecodePicture(PictureFormat format, const std::uint8_t* bytes, std::size_t size, DecodedPicture& picture);

}  // namespace kavelo::image
