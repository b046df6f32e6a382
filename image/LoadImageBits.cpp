#include "image/LoadImageBits.h"

#include <cstring>
#include <new>

#include "image/PictureLoadCodes.h"
#include "platform/FrameSurface.h"

using namespace kavelo::image;

namespace {

constexpr int kPictureBits = 32;  // every picture is delivered at 32 bits a pixel

// A picture drawn at another size than its own: drawn into a bitmap of `width` x
// `height`, then read back bottom row first.
int ReadBack(const COlePicture& picture, int width, int height, PixelBuffer& bits) {
  kavelo::platform::FrameSurface bitmap;
  if (!bitmap.Create(width, height)) return kPictureNoMemory;
  picture.Render(bitmap, PictureRect{0, 0, width, height});
  // The sides are at most kMaxPictureSide, so the size fits.
  const std::size_t rowBytes = static_cast<std::size_t>(width) * kavelo::platform::FrameSurface::kBytesPerPixel;
  bits.reset(new (std::nothrow) std::uint8_t[rowBytes * static_cast<std::size_t>(height)]);
  if (!bits) return kPictureNoMemory;
  for (int row = 0; row < height; ++row) {
    std::memcpy(bits.get() + static_cast<std::size_t>(row) * rowBytes, bitmap.Row(height - 1 - row), rowBytes);
  }
  return kPictureLoaded;
}

}  // namespace

int LoadImageBits(COlePicture& picture, const std::wstring& path, PixelBuffer& pixels, int& width, int& height,
                  int& bitsPerPixel) {
  int code = picture.Load(path);
  if (code != kPictureLoaded) return code;
  const PictureDevice display;
  const int w = picture.GetWidth(display), h = picture.GetHeight(display);
  PixelBuffer bits;
  code = picture.TakeAtOwnSize(w, h, bits);
  if (code != kPictureLoaded) code = ReadBack(picture, w, h, bits);
  picture.Free();
  if (code != kPictureLoaded) return code;
  width = w;
  height = h;
  bitsPerPixel = kPictureBits;
  pixels = std::move(bits);
  return kPictureLoaded;
}
