#include "FrameSurface.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

namespace kavelo::platform {
namespace {

struct Span {
  int begin = 0;
  int end = 0;
};

// The part of [start, start + length) that lies within [0, limit), without overflow for
// any start and length.
Span CutSpan(std::int64_t start, std::int64_t length, int limit) {
  if (length <= 0 || start >= limit) return {};
  std::int64_t end = 0;
  if (__builtin_add_overflow(start, length, &end)) end = std::numeric_limits<std::int64_t>::max();
  if (end <= 0) return {};
  return {static_cast<int>(std::max<std::int64_t>(start, 0)), static_cast<int>(std::min<std::int64_t>(end, limit))};
}

}  // namespace

bool FrameSurface::Create(int width, int height) {
  Release();
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
  const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * kBytesPerPixel;
  m_pixels.reset(new (std::nothrow) std::uint8_t[bytes]());
  if (m_pixels == nullptr) return false;
  m_width = width;
  m_height = height;
  ++m_writes;
  Unlimit();
  m_written = {0, height};
  return true;
}

void FrameSurface::Release() {
  m_pixels.reset();
  m_width = 0;
  m_height = 0;
  ++m_writes;
  Unlimit();
  m_written = {};
}

FrameSurface::RowBand FrameSurface::TakeWrittenRows() { return std::exchange(m_written, RowBand{}); }

void FrameSurface::Touch(int top, int bottom) {
  if (m_written.top == m_written.bottom) {
    m_written = {top, bottom};
  } else {
    m_written = {std::min(m_written.top, top), std::max(m_written.bottom, bottom)};
  }
}

void FrameSurface::Clear() { FillRect(0, 0, m_width, m_height, 0); }

void FrameSurface::Limit(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) {
  Unlimit();
  m_limit = ClipRect(x, y, width, height);
}

void FrameSurface::Unlimit() {
  m_limit = {0, 0, m_width, m_height};
}

bool FrameSurface::Reaches(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) const {
  return !ClipRect(x, y, width, height).Empty();
}

FrameSurface::Clip FrameSurface::ClipRect(std::int64_t x, std::int64_t y, std::int64_t width,
                                          std::int64_t height) const {
  if (Empty()) return {};
  const Span columns = CutSpan(x, width, m_width);
  const Span rows = CutSpan(y, height, m_height);
  return {std::max(columns.begin, m_limit.left), std::max(rows.begin, m_limit.top),
          std::min(columns.end, m_limit.right), std::min(rows.end, m_limit.bottom)};
}

void FrameSurface::ClearRect(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) {
  FillRect(x, y, width, height, 0);
}

void FrameSurface::FillOnes(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) {
  FillRect(x, y, width, height, 0xFF);
}

void FrameSurface::FillRect(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                            std::uint8_t byte) {
  const Clip clip = ClipRect(x, y, width, height);
  if (clip.Empty()) return;
  ++m_writes;
  Touch(clip.top, clip.bottom);
  const std::size_t bytes = static_cast<std::size_t>(clip.right - clip.left) * kBytesPerPixel;
  for (int row = clip.top; row < clip.bottom; ++row) {
    std::memset(RowAt(row) + static_cast<std::size_t>(clip.left) * kBytesPerPixel, byte, bytes);
  }
}

void FrameSurface::PlacePicture(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                                const BottomUpPicture& picture) {
  if (picture.pixels == nullptr || picture.width <= 0 || picture.height <= 0) return;
  const Clip clip = ClipRect(x, y, std::min<std::int64_t>(width, picture.width),
                             std::min<std::int64_t>(height, picture.height));
  if (clip.Empty()) return;
  ++m_writes;
  Touch(clip.top, clip.bottom);
  // Within the clip, x <= left and y <= top, and both offsets stay inside the picture.
  const std::size_t sourceColumn = static_cast<std::size_t>(clip.left - x);
  const std::size_t pictureStride = static_cast<std::size_t>(picture.width) * kBytesPerPixel;
  const std::size_t bytes = static_cast<std::size_t>(clip.right - clip.left) * kBytesPerPixel;
  for (int row = clip.top; row < clip.bottom; ++row) {
    const std::size_t fromTop = static_cast<std::size_t>(row - y);
    const std::size_t bufferRow = static_cast<std::size_t>(picture.height) - 1 - fromTop;
    std::memcpy(RowAt(row) + static_cast<std::size_t>(clip.left) * kBytesPerPixel,
                picture.pixels + bufferRow * pictureStride + sourceColumn * kBytesPerPixel, bytes);
  }
}

void FrameSurface::SetPixel(std::int64_t x, std::int64_t y, const std::uint8_t* bgra) {
  if (bgra == nullptr || x < m_limit.left || y < m_limit.top || x >= m_limit.right || y >= m_limit.bottom) return;
  ++m_writes;
  Touch(static_cast<int>(y), static_cast<int>(y) + 1);
  std::memcpy(RowAt(static_cast<int>(y)) + static_cast<std::size_t>(x) * kBytesPerPixel, bgra, kBytesPerPixel);
}

}  // namespace kavelo::platform
