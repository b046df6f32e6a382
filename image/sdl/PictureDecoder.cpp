// Bytes of a recognised format to 32-bit pixels by SDL_image, without any display; icon
// entries in BMP form by the shared IconBitmap.
#include "image/PictureDecoder.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>
#include <limits>

#include "image/GifDataCheck.h"
#include "image/IconBitmap.h"
#include "image/PictureLoadCodes.h"

namespace kavelo::image {
namespace {

struct StreamCloser {
  void operator()(SDL_RWops* stream) const { SDL_RWclose(stream); }
};
struct SurfaceFreer {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFreer>;

// SDL_image keeps its codec state in plain globals; initialising once here, under the
// language's guarantee for local statics, leaves the loaders only reading it afterwards.
void InitCodecsOnce() {
  static const int initialised = IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
  (void)initialised;
}

SDL_Surface* DecodeWith(PictureFormat format, SDL_RWops* stream) {
  switch (format) {
    case PictureFormat::kBmp:
      return IMG_LoadBMP_RW(stream);
    case PictureFormat::kPng:
      return IMG_LoadPNG_RW(stream);
    case PictureFormat::kGif:
      return IMG_LoadGIF_RW(stream);
    case PictureFormat::kJpeg:
      return IMG_LoadJPG_RW(stream);
    case PictureFormat::kIcon:
    case PictureFormat::kUnknown:
      break;
  }
  return nullptr;
}

// SDL_image hands a grey PNG that names a transparent grey as pairs of grey and alpha
// bytes in a surface that it labels 16-bit RGB; no other PNG arrives at 2 bytes a pixel.
bool HoldsGreyAlphaPairs(PictureFormat format, const SDL_Surface& surface) {
  return format == PictureFormat::kPng && surface.format->BytesPerPixel == 2 && surface.pitch >= surface.w * 2;
}

bool GreyAlphaPairsToBgra(const SDL_Surface& pairs, DecodedPicture& out) {
  if (!out.Allocate(pairs.w, pairs.h)) return false;
  for (int y = 0; y < pairs.h; ++y) {
    const auto* in = static_cast<const std::uint8_t*>(pairs.pixels) + static_cast<std::ptrdiff_t>(y) * pairs.pitch;
    std::uint8_t* row = out.Row(y);
    for (int x = 0; x < pairs.w; ++x) {
      row[4 * x] = row[4 * x + 1] = row[4 * x + 2] = in[2 * x];
      row[4 * x + 3] = in[2 * x + 1];
    }
  }
  return true;
}

void FreeSurface(void* surface) { SDL_FreeSurface(static_cast<SDL_Surface*>(surface)); }

// Converts to blue, green, red, alpha; a transparent colour of a palette or key becomes
// alpha 0 in SDL's conversion. The converted surface is taken over whole when its rows
// follow each other without padding, as SDL lays out 32-bit rows, and copied otherwise.
bool ConvertToBgra(SDL_Surface& decoded, DecodedPicture& out) {
  SurfacePtr converted(SDL_ConvertSurfaceFormat(&decoded, SDL_PIXELFORMAT_BGRA32, 0));
  if (!converted) return false;
  const int w = converted->w, h = converted->h;
  if (converted->pitch == w * DecodedPicture::kBytesPerPixel) {
    auto* pixels = static_cast<std::uint8_t*>(converted->pixels);
    out.Adopt(w, h, pixels, FreeSurface, converted.release());
    return true;
  }
  if (!out.Allocate(w, h)) return false;
  for (int y = 0; y < h; ++y) {
    const auto* in = static_cast<const std::uint8_t*>(converted->pixels) + static_cast<std::ptrdiff_t>(y) * converted->pitch;
    std::memcpy(out.Row(y), in, out.Pitch());
  }
  return true;
}

}  // namespace

int DecodePicture(PictureFormat format, const std::uint8_t* bytes, std::size_t size, DecodedPicture& picture) {
  if (bytes == nullptr || size == 0 || size > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    return kPictureNotDecodable;
  }
  if (format == PictureFormat::kGif && !GifSafeToDecode(bytes, size)) return kPictureNotDecodable;
  if (format == PictureFormat::kIcon) return DecodeIcon(bytes, size, picture);
  InitCodecsOnce();
  std::unique_ptr<SDL_RWops, StreamCloser> stream(SDL_RWFromConstMem(bytes, static_cast<int>(size)));
  if (!stream) return kPictureNoMemory;
  SurfacePtr decoded(DecodeWith(format, stream.get()));
  if (!decoded) return kPictureNotDecodable;
  if (decoded->w <= 0 || decoded->h <= 0 || decoded->w > kMaxPictureSide || decoded->h > kMaxPictureSide) {
    return kPictureNotDecodable;
  }
  DecodedPicture converted;
  const bool ok = HoldsGreyAlphaPairs(format, *decoded) ? GreyAlphaPairsToBgra(*decoded, converted)
                                                        : ConvertToBgra(*decoded, converted);
  if (!ok) return kPictureNoMemory;
  picture = std::move(converted);
  return kPictureLoaded;
}

}  // namespace kavelo::image
