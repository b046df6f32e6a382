#pragma once
// A decoded picture as every decoder hands it over, whatever decoded it: 4 bytes a pixel
// in memory as blue, green, red, alpha (alpha 255 where the picture has none, 0 on a
// transparent colour), rows of exactly width pixels, top row first.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace kavelo::image {

// Frees the pixels: with delete[], or through the decoder that owns the memory they lie
// in, so that a decoder's own buffer of the right layout is taken over without a copy.
struct PixelRelease {
  PixelRelease() = default;
  PixelRelease(void (*releaseFunction)(void* owner), void* ownerObject) : release(releaseFunction), owner(ownerObject) {}
  // Pixels from new[] pass in as they are.
  PixelRelease(std::default_delete<std::uint8_t[]>) {}  // NOLINT(google-explicit-constructor)
  void operator()(std::uint8_t* pixels) const;

  void (*release)(void* owner) = nullptr;
  void* owner = nullptr;
};

// Pixels handed on from a decoder to the picture that keeps them, with whatever frees them.
using PixelBuffer = std::unique_ptr<std::uint8_t[], PixelRelease>;

struct DecodedPicture {
  static constexpr int kBytesPerPixel = 4;

  int width = 0;
  int height = 0;
  PixelBuffer pixels;

  // Holds width x height pixels of unspecified value; false, holding nothing, when the
  // sides are not positive or the memory cannot be had.
  bool Allocate(int w, int h);
  // Takes over `w` x `h` pixels laid out as above, lying in memory that `release(owner)`
  // frees; it is called when the picture goes.
  void Adopt(int w, int h, std::uint8_t* data, void (*release)(void* owner), void* owner);
  std::size_t Pitch() const { return static_cast<std::size_t>(width) * kBytesPerPixel; }
  std::uint8_t* Row(int y) { return pixels.get() + static_cast<std::size_t>(y) * Pitch(); }
  const std::uint8_t* Row(int y) const { return pixels.get() + static_cast<std::size_t>(y) * Pitch(); }
  bool Empty() const { return !pixels; }
};

}  // namespace kavelo::image
