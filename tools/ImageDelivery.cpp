#include <cstdint>
#include <cstring>

#include "OrvinaTools.h"

namespace {

constexpr int kDeliveredBits = 32;
constexpr std::int64_t kDeliveredBytesPerPixel = kDeliveredBits / 8;

}  // namespace

int GetImageData(const OrvinaBitmap* frame, int screenWidth, int screenHeight, int screenBits,
                 char* hostBuffer) {
  if (frame == nullptr || frame->pixels == nullptr || hostBuffer == nullptr) return 0;
  if (screenWidth <= 0 || screenHeight <= 0 || screenBits != kDeliveredBits) return 0;
  if (frame->width != screenWidth || frame->height != screenHeight || frame->bitsPerPixel != screenBits) return 0;
  const std::int64_t rowBytes = static_cast<std::int64_t>(screenWidth) * kDeliveredBytesPerPixel;
  if (frame->strideBytes < rowBytes) return 0;

  const auto row = static_cast<std::size_t>(rowBytes);
  const auto stride = static_cast<std::size_t>(frame->strideBytes);
  const auto rows = static_cast<std::size_t>(screenHeight);
  if (stride == row) {
    std::memcpy(hostBuffer, frame->pixels, row * rows);
  } else {
    for (std::size_t y = 0; y < rows; ++y) std::memcpy(hostBuffer + y * row, frame->pixels + y * stride, row);
  }
  return screenHeight;
}
