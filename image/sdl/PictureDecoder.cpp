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

void FreeSurface(void* surface) { SDL_FreeSurface(static_cast<SDL_Surface*>(surface)); }

// Formats whose pixels SDL's conversion would read exactly as SDL_GetRGBA does: 8-bit
// channels, or a palette. Others (16-bit colour, 10-bit channels) go through SDL's own
// conversion, whose rounding is theirs.
bool ReadsExactly(const SDL_PixelFormat& f) {
  if (f.palette != nullptr) return f.BytesPerPixel == 1;
  const bool byteChannels = f.Rloss == 0 && f.Gloss == 0 && f.Bloss == 0 && (f.Amask == 0 || f.Aloss == 0);
  return byteChannels && (f.BytesPerPixel == 3 || f.BytesPerPixel == 4);
}

// Grows the surface's memory to 4 bytes a pixel, in place: a large block grows without
// its bytes being copied. False, with the surface as it was, when it cannot.
bool GrowToBgra(SDL_Surface& surface) {
  if ((surface.flags & SDL_PREALLOC) != 0 || surface.pixels == nullptr) return false;
  const std::size_t bytes = static_cast<std::size_t>(surface.w) * surface.h * DecodedPicture::kBytesPerPixel;
  if (bytes <= static_cast<std::size_t>(surface.pitch) * surface.h) return true;
  void* grown = (surface.flags & SDL_SIMD_ALIGNED) != 0 ? SDL_SIMDRealloc(surface.pixels, bytes)
                                                        : SDL_realloc(surface.pixels, bytes);
  if (grown == nullptr) return false;
  surface.pixels = grown;
  return true;
}

// Converts the grown surface's pixels from the last to the first, each written no lower
// than it was read, so that no second copy of the picture is ever made. `read(p, bgra)`
// turns the pixel at p into blue, green, red, alpha.
template <typename Read>
void ConvertBackwards(SDL_Surface& surface, Read&& read) {
  const std::size_t w = static_cast<std::size_t>(surface.w), bpp = surface.format->BytesPerPixel;
  auto* base = static_cast<std::uint8_t*>(surface.pixels);
  for (std::size_t y = static_cast<std::size_t>(surface.h); y-- > 0;) {
    const std::uint8_t* in = base + y * static_cast<std::size_t>(surface.pitch);
    std::uint8_t* out = base + y * w * DecodedPicture::kBytesPerPixel;
    for (std::size_t x = w; x-- > 0;) {
      std::uint8_t bgra[4];
      read(in + x * bpp, bgra);
      std::memcpy(out + x * DecodedPicture::kBytesPerPixel, bgra, sizeof bgra);
    }
  }
}

// Turns the decoded surface into blue, green, red, alpha where it lies, as SDL's
// conversion would: a palette's colours and alpha, or 8-bit channels read where their
// masks put them (alpha 255 without one), and a colour key becoming alpha 0. False, with
// the surface as it was, when its memory cannot grow.
bool ExpandInPlace(SDL_Surface& surface, bool greyAlphaPairs) {
  if (!GrowToBgra(surface)) return false;
  const SDL_PixelFormat& f = *surface.format;
  Uint32 key = 0;
  const bool keyed = !greyAlphaPairs && SDL_GetColorKey(&surface, &key) == 0;
  if (greyAlphaPairs) {
    ConvertBackwards(surface, [](const std::uint8_t* p, std::uint8_t* bgra) {
      bgra[0] = bgra[1] = bgra[2] = p[0];
      bgra[3] = p[1];
    });
  } else if (f.palette != nullptr) {
    std::uint8_t colours[256][4] = {};
    for (int i = 0; i < f.palette->ncolors && i < 256; ++i) {
      const SDL_Color c = f.palette->colors[i];
      colours[i][0] = c.b, colours[i][1] = c.g, colours[i][2] = c.r, colours[i][3] = c.a;
    }
    if (keyed && key < 256) colours[key][3] = 0;
    ConvertBackwards(surface, [&](const std::uint8_t* p, std::uint8_t* bgra) { std::memcpy(bgra, colours[*p], 4); });
  } else {
    // Each channel's byte within a pixel, in the machine's byte order.
    const auto at = [&](Uint8 shift) {
      return SDL_BYTEORDER == SDL_BIG_ENDIAN ? f.BytesPerPixel - 1 - shift / 8 : shift / 8;
    };
    const int r = at(f.Rshift), g = at(f.Gshift), b = at(f.Bshift), a = f.Amask != 0 ? at(f.Ashift) : -1;
    const int bpp = f.BytesPerPixel;
    ConvertBackwards(surface, [&](const std::uint8_t* p, std::uint8_t* bgra) {
      bgra[0] = p[b], bgra[1] = p[g], bgra[2] = p[r], bgra[3] = a >= 0 ? p[a] : 255;
      if (keyed) {
        Uint32 raw = 0;
        for (int i = 0; i < bpp; ++i) raw |= Uint32{p[i]} << (SDL_BYTEORDER == SDL_BIG_ENDIAN ? 8 * (bpp - 1 - i) : 8 * i);
        if (raw == key) bgra[3] = 0;
      }
    });
  }
  return true;
}

// Converts a copy to blue, green, red, alpha with SDL's conversion; a transparent colour of
// a palette or key becomes alpha 0. The converted surface is taken over whole when its
// rows follow each other without padding, as SDL lays out 32-bit rows, and copied otherwise.
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
  const bool pairs = HoldsGreyAlphaPairs(format, *decoded);
  if ((pairs || ReadsExactly(*decoded->format)) && ExpandInPlace(*decoded, pairs)) {
    const int w = decoded->w, h = decoded->h;
    auto* pixels = static_cast<std::uint8_t*>(decoded->pixels);
    picture.Adopt(w, h, pixels, FreeSurface, decoded.release());
    return kPictureLoaded;
  }
  DecodedPicture converted;
  if (pairs || !ConvertToBgra(*decoded, converted)) return kPictureNoMemory;
  picture = std::move(converted);
  return kPictureLoaded;
}

}  // namespace kavelo::image
