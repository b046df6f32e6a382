#pragma once
// How much memory one renderer may hold in pictures and in frame surfaces. Each picture
// is checked from the size its file declares before it is decoded, so artwork that would
// exhaust the host's memory is refused in the time it takes to read the headers.

#include <cstdint>

#include "render/KaveloPicture.h"

namespace kavelo::render {

// The largest artwork a game can ask for in earnest is 255 tile kinds and 127 trail
// frames of 256 x 256 pixels, a 256 x 256 selection mark and a time bar 4096 pixels
// wide: about 101 MB decoded. 256 MiB leaves two and a half times that, and still holds
// one picture of the largest size a file may have (8192 x 8192), but never two.
inline constexpr std::uint64_t kPictureBudgetBytes = std::uint64_t{256} << 20;

// One frame surface of 16384 x 4096, or any display up to two 8K screens side by side
// (15360 x 4320); every surface the renderer makes counts towards it.
inline constexpr std::uint64_t kFrameBudgetBytes = std::uint64_t{256} << 20;

inline std::uint64_t PictureBytes(const KaveloPicture& picture) {
  return picture.Present() ? static_cast<std::uint64_t>(picture.width) * static_cast<std::uint64_t>(picture.height) * 4
                           : 0;
}

}  // namespace kavelo::render
