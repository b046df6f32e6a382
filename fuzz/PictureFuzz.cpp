// Picture loading from any bytes, through a file as the renderer loads them. A load
// either fails and touches no output, or gives a picture of sane size whose every pixel
// can be read; the loader holds nothing afterwards, and loading again gives the same.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "image/DeclaredSize.h"
#include "image/LoadImageBits.h"
#include "tests/support/TestFiles.h"

namespace {

[[noreturn]] void Broken(const char* promise) {
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::abort();
}

// In memory, so that writing each input costs no disk. The file goes after each input;
// a crash leaves it behind, whole even when a decoder's stray writes garbled the copy of
// the input that the fuzzer saves.
const std::string& InputPath() {
  static const std::string path = "/dev/shm/kavelo-fuzz-picture-" + std::to_string(::getpid());
  return path;
}

// What a load gave; the pixels themselves are let go at once, since a picture may be
// hundreds of megabytes and two must not be held together.
struct Loaded {
  int code = 0;
  int width = 0, height = 0;
  std::uint64_t hash = 0;
};

Loaded Load(COlePicture& picture, const std::wstring& path) {
  constexpr int kUntouched = -7;  // what a failed load must leave in the outputs
  kavelo::image::PixelBuffer pixels;
  int width = kUntouched, height = kUntouched, bits = kUntouched;
  const int code = LoadImageBits(picture, path, pixels, width, height, bits);
  if (picture.GetHimetricWidth() != 0 || picture.GetHimetricHeight() != 0) Broken("the loader holds nothing after a load");
  if (code != 0) {
    if (pixels || width != kUntouched || height != kUntouched || bits != kUntouched) {
      Broken("a failed load writes no output");
    }
    return {code};
  }
  if (!pixels || bits != 32 || width <= 0 || height <= 0 || width > kavelo::image::kMaxPictureSide ||
      height > kavelo::image::kMaxPictureSide) {
    Broken("a loaded picture has a sane size and 32 bits");
  }
  // Every byte is read, so that a buffer shorter than its size is caught.
  std::uint64_t hash = 14695981039346656037u;
  const std::size_t bytes = static_cast<std::size_t>(width) * height * 4;
  for (std::size_t i = 0; i < bytes; ++i) hash = (hash ^ pixels[i]) * 1099511628211u;
  return {code, width, height, hash};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!kavelo::test::WriteFile(InputPath(), std::span(data, size))) return 0;
  const std::wstring path(InputPath().begin(), InputPath().end());
  COlePicture picture;
  const Loaded first = Load(picture, path);
  const Loaded second = Load(picture, path);
  if (first.code != second.code) Broken("loading the same bytes twice gives the same result");
  if (first.width != second.width || first.height != second.height || first.hash != second.hash) {
    Broken("loading the same bytes twice gives the same pixels");
  }
  ::unlink(InputPath().c_str());
  return 0;
}
