#pragma once
// Bytes of a recognised format to decoded pixels, by SDL_image (icons by our own decoder),
// without any display.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "image/DeclaredSize.h"

#ifdef _WIN32
namespace kavelo::image {

// Decoded pixels, laid out as the decoder leaves them on Linux: `pitch` bytes a row, top
// row first, `pixels` pointing into `storage`.
struct DecodedPicture {
  int w = 0;
  int h = 0;
  int pitch = 0;
  std::uint8_t* pixels = nullptr;
  std::unique_ptr<std::uint8_t[]> storage;
};
using SurfacePtr = std::unique_ptr<DecodedPicture>;
#else
struct SDL_Surface;

namespace kavelo::image {

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const;
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;
#endif

// Decodes `size` bytes of `format` into a surface whose pixels lie in memory as blue,
// green, red, alpha (alpha 255 where the picture has none, 0 on a transparent colour).
// Returns kPictureLoaded and sets `surface`, kPictureNotDecodable when the bytes do not
// decode or decode to a picture wider or taller than kMaxPictureSide, kPictureNoMemory
// when the conversion to 32 bits cannot be had.
int DecodePicture(PictureFormat format, const std::uint8_t* bytes, std::size_t size, SurfacePtr& surface);

}  // namespace kavelo::image
