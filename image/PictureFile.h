#pragma once
// A picture file's bytes, read whole into memory.

#include <cstddef>
#include <string>

#include "image/DeclaredSize.h"
#include "platform/RegularFile.h"

namespace kavelo::image {

// An uncompressed 8192 x 8192 picture at 32 bits is 256 MiB; twice that leaves room for
// headers, palettes and padding, and no accepted picture needs more.
inline constexpr std::size_t kMaxPictureFileBytes = std::size_t{512} << 20;

using PictureBytes = platform::FileBytes;

// Reads the regular file at `path` whole. Returns kPictureLoaded and fills `bytes`, or a
// failure code of PictureLoadCodes.h and leaves `bytes` untouched.
int ReadPictureFile(const std::wstring& path, PictureBytes& bytes);

// Reads the file at `path` and what its header declares, without decoding it. Returns
// kPictureLoaded only for a picture MayDecode accepts, kPictureNotDecodable for another,
// or the code of ReadPictureFile's failure.
int ReadDeclaredFileSize(const std::wstring& path, DeclaredSize& declared);

}  // namespace kavelo::image
