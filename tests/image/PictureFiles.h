#pragma once
// Picture files written by the tests into a scratch folder, and what one LoadImageBits
// call hands back.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "image/LoadImageBits.h"
#include "tests/support/TestFiles.h"

namespace kavelo::image::test {

using namespace kavelo::test;  // the shared file writers

// A pipe that nobody writes to, named after `name`; empty when none can be made.
std::wstring Pipe(const std::string& name);
// `name` in a folder of this test program's own, removed with its contents at exit.
std::filesystem::path Scratch(const std::string& name);
// Writes `bytes` to the file `name` there and returns its path; a failure fails the test.
std::wstring Written(const std::string& name, const Bytes& bytes);

// Outputs start as sentinels, so that a failed call can be seen to leave them alone.
struct LoadedPicture {
  static constexpr int kUntouched = -7;
  kavelo::image::PixelBuffer pixels;
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
