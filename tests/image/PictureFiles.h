#pragma once
// Picture files written by the tests themselves (SDL for BMP, SDL_image for PNG and JPEG,
// a small encoder of our own for GIF), and what one LoadImageBits call hands back.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "image/LoadImageBits.h"

namespace kavelo::image::test {

using Bytes = std::vector<std::uint8_t>;

// A pipe that nobody writes to, named after `name`; empty when none can be made.
std::wstring Pipe(const std::string& name);
// `name` in a folder of this test program's own, removed with its contents at exit.
std::filesystem::path Scratch(const std::string& name);
// Writes `bytes` to the file `name` there and returns its path; a failure fails the test.
std::wstring Written(const std::string& name, const Bytes& bytes);

struct Rgba { std::uint8_t r = 0, g = 0, b = 0, a = 255; };
struct TestPicture { int width = 0, height = 0; std::vector<Rgba> pixels; };  // pixels top row first

enum class Alpha { kOpaque, kFading, kKeyed };
// Red grows to the right, green downwards. Fading alpha falls from 255 in the left column
// to 0 in the right one; keyed makes the right column transparent and the rest opaque.
TestPicture Gradient(int width, int height, Alpha alpha = Alpha::kOpaque);

// BMP without alpha is written at 24 bits a pixel, its common form; GIF takes at most 255
// colours, alpha 0 becoming its transparent colour. Empty when it cannot be written.
enum class Format { kPng, kBmp24, kBmp32, kJpeg, kGif };
Bytes Encode(const TestPicture& picture, Format format);
// A copy of `bytes` with `count` bytes of `value` at `at`, most significant first when `big`.
Bytes Patched(Bytes bytes, std::size_t at, std::uint32_t value, int count, bool big);

// Outputs start as sentinels, so that a failed call can be seen to leave them alone.
struct LoadedPicture {
  static constexpr int kUntouched = -7;
  std::unique_ptr<std::uint8_t[]> pixels;
  int width = kUntouched, height = kUntouched, bitsPerPixel = kUntouched;
  int Load(COlePicture& picture, const std::wstring& path) {
    return LoadImageBits(picture, path, pixels, width, height, bitsPerPixel);
  }
  bool Untouched() const { return width == kUntouched && height == kUntouched && bitsPerPixel == kUntouched; }
};

// The sizes match and every pixel, read bottom row first, matches `expected` composited
// over black with its alpha kept, within `tolerance` per byte.
::testing::AssertionResult SamePixels(const LoadedPicture& loaded, const TestPicture& expected, int tolerance = 0);

}  // namespace kavelo::image::test
