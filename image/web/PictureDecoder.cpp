// Bytes of a recognised format to 32-bit pixels in the browser: the pixels the browser's
// own decoders produced when the page preloaded the file; icon entries in BMP form by the
// shared IconBitmap.
#include "image/PictureDecoder.h"

#include "image/GifDataCheck.h"
#include "image/IconBitmap.h"
#include "image/PictureLoadCodes.h"
#include "image/web/PreloadedPictures.h"

namespace kavelo::image {

int DecodePicture(PictureFormat format, const std::uint8_t* bytes, std::size_t size, DecodedPicture& picture) {
  if (bytes == nullptr || size == 0) return kPictureNotDecodable;
  // The same refusals as on every platform, whatever a browser would make of the bytes.
  if (format == PictureFormat::kGif && !GifSafeToDecode(bytes, size)) return kPictureNotDecodable;
  if (format == PictureFormat::kIcon) return DecodeIcon(bytes, size, picture);
  return TakePreloadedPicture(bytes, size, picture);
}

}  // namespace kavelo::image
