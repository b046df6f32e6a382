#include "image/PictureDecoder.h"

#include <SDL.h>
#include <SDL_image.h>

#include <limits>

#include "image/GifDataCheck.h"
#include "image/IconBitmap.h"
#include "image/IconDirectory.h"
#include "image/PictureLoadCodes.h"

namespace kavelo::image {
namespace {

struct StreamCloser {
  void operator()(SDL_RWops* stream) const { SDL_RWclose(stream); }
};

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

SDL_Surface* GreyAlphaPairsToBgra(const SDL_Surface& pairs) {
  SDL_Surface* out = SDL_CreateRGBSurfaceWithFormat(0, pairs.w, pairs.h, 32, SDL_PIXELFORMAT_BGRA32);
  if (out == nullptr) return nullptr;
  for (int y = 0; y < pairs.h; ++y) {
    const auto* in = static_cast<const std::uint8_t*>(pairs.pixels) + static_cast<std::ptrdiff_t>(y) * pairs.pitch;
    auto* row = static_cast<std::uint8_t*>(out->pixels) + static_cast<std::ptrdiff_t>(y) * out->pitch;
    for (int x = 0; x < pairs.w; ++x) {
      row[4 * x] = row[4 * x + 1] = row[4 * x + 2] = in[2 * x];
      row[4 * x + 3] = in[2 * x + 1];
    }
  }
  return out;
}

// The entry an icon shows: a PNG goes the way of any PNG file, size check included.
int DecodeIcon(const std::uint8_t* bytes, std::size_t size, SurfacePtr& surface) {
  const auto entry = BestIconEntry(bytes, size);
  if (!entry) return kPictureNotDecodable;
  const std::uint8_t* data = bytes + entry->offset;
  if (!entry->png) return DecodeIconBitmap(data, entry->size, surface);
  const DeclaredSize declared = ReadDeclaredSize(data, entry->size);
  if (declared.format != PictureFormat::kPng || !MayDecode(declared)) return kPictureNotDecodable;
  return DecodePicture(PictureFormat::kPng, data, entry->size, surface);
}

}  // namespace

void SurfaceDeleter::operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }

int DecodePicture(PictureFormat format, const std::uint8_t* bytes, std::size_t size, SurfacePtr& surface) {
  if (bytes == nullptr || size == 0 || size > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    return kPictureNotDecodable;
  }
  if (format == PictureFormat::kGif && !GifSafeToDecode(bytes, size)) return kPictureNotDecodable;
  if (format == PictureFormat::kIcon) return DecodeIcon(bytes, size, surface);
  InitCodecsOnce();
  std::unique_ptr<SDL_RWops, StreamCloser> stream(SDL_RWFromConstMem(bytes, static_cast<int>(size)));
  if (!stream) return kPictureNoMemory;
  SurfacePtr decoded(DecodeWith(format, stream.get()));
  if (!decoded) return kPictureNotDecodable;
  if (decoded->w <= 0 || decoded->h <= 0 || decoded->w > kMaxPictureSide || decoded->h > kMaxPictureSide) {
    return kPictureNotDecodable;
  }
  // A transparent colour of a palette or key becomes alpha 0 in this conversion.
  SurfacePtr converted(HoldsGreyAlphaPairs(format, *decoded)
                           ? GreyAlphaPairsToBgra(*decoded)
                           : SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_BGRA32, 0));
  if (!converted) return kPictureNoMemory;
  surface = std::move(converted);
  return kPictureLoaded;
}

}  // namespace kavelo::image
