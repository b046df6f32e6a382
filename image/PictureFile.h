#pragma once
// A picture file's bytes, read whole into memory.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace kavelo::image {

// An uncompressed 8192 x 8192 picture at 32 bits is 256 MiB; twice that leaves room for
// headers, palettes and padding, and no accepted picture needs more.
inline constexpr std::size_t kMaxPictureFileBytes = std::size_t{512} << 20;

struct PictureBytes {
  std::unique_ptr<std::uint8_t[]> data;
  std::size_t size = 0;
};

// Reads the regular file at `path` whole. Returns kPictureLoaded and fills `bytes`, or a
// failure code of PictureLoadCodes.h and leaves `bytes` untouched.
int ReadPictureFile(const std::wstring& path, PictureBytes& bytes);

}  // namespace kavelo::image
