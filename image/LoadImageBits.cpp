#include "image/LoadImageBits.h"

#include <cstring>
#include <new>

#include "image/LoadPictureBitmap.h"
#include "image/PictureLoadCodes.h"

using namespace kavelo::image;

namespace {
constexpr int kPictureBits = 32;  // every picture is delivered at 32 bits a pixel
}

int LoadImageBits(COlePicture& picture, const std::wstring& path, std::unique_ptr<std::uint8_t[]>& pixels,
                  int& width, int& height, int& bitsPerPixel) {
  kavelo::platform::FrameSurface bitmap;
  const int code = LoadPictureBitmap(picture, path, bitmap);
  if (code != kPictureLoaded) return code;

  // Read back bottom row first. The sides are at most kMaxPictureSide, so the size fits.
  const std::size_t rowBytes = static_cast<std::size_t>(bitmap.Width()) * kavelo::platform::FrameSurface::kBytesPerPixel;
  const std::size_t rows = static_cast<std::size_t>(bitmap.Height());
  std::unique_ptr<std::uint8_t[]> bits(new (std::nothrow) std::uint8_t[rowBytes * rows]);
  if (!bits) return kPictureNoMemory;
  for (std::size_t row = 0; row < rows; ++row) {
    std::memcpy(bits.get() + row * rowBytes, bitmap.Row(bitmap.Height() - 1 - static_cast<int>(row)), rowBytes);
  }

  width = bitmap.Width();
  height = bitmap.Height();
  bitsPerPixel = kPictureBits;
  pixels = std::move(bits);
  return kPictureLoaded;
}
