#pragma once
// Files made by the tests and the fuzzers themselves, in memory: pictures in every format
// the loader reads and WAV files of any header. One set of writers for all of them.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kavelo::test {

using Bytes = std::vector<std::uint8_t>;

struct Rgba { std::uint8_t r = 0, g = 0, b = 0, a = 255; };
struct TestPicture { int width = 0, height = 0; std::vector<Rgba> pixels; };  // pixels top row first

enum class Alpha { kOpaque, kFading, kKeyed };
// Red grows to the right, green downwards. Fading alpha falls from 255 in the left column
// to 0 in the right one; keyed makes the right column transparent and the rest opaque.
TestPicture Gradient(int width, int height, Alpha alpha = Alpha::kOpaque);
TestPicture Solid(int width, int height, Rgba colour);

// BMP without alpha is written at 24 bits a pixel, its common form, bottom-up unless
// top-down is asked for; GIF takes at most 255 colours, alpha 0 becoming its transparent
// colour; kIcon is an icon of one 8-bit entry. Empty when the picture cannot be written.
enum class Format { kPng, kBmp24, kBmp32, kJpeg, kGif, kBmpTopDown, kIcon };
inline constexpr Format kAllFormats[] = {Format::kPng, Format::kBmp24, Format::kBmp32, Format::kJpeg,
                                         Format::kGif, Format::kBmpTopDown, Format::kIcon};
Bytes Encode(const TestPicture& picture, Format format);

// Icon entries: BMP forms of 1 to 32 bits a pixel with the mask taken from alpha 0 (a
// palette holds only the opaque colours), 32 bits with alpha all zero, or a whole PNG.
enum class IconForm { kBits1 = 1, kBits4 = 4, kBits8 = 8, kBits24 = 24, kBits32 = 32, kMaskOnly32, kPng };
struct IconImage { TestPicture picture; IconForm form; };
Bytes EncodeIcon(const std::vector<IconImage>& images, bool cursor = false);
const char* Suffix(Format format);  // ".png" and the like
// A copy of `bytes` with `count` bytes of `value` at `at`, most significant first when `big`.
Bytes Patched(Bytes bytes, std::size_t at, std::uint32_t value, int count, bool big);

// A 16-bit stereo WAV at the output rate, which plays unchanged: the left channel counts
// up from 1, the right one holds `marker` throughout, so that sounds with different
// markers never match and no frame is silence. Its samples are its last 4 * frames bytes.
Bytes MarkedWave(std::int16_t marker, int frames);

bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace kavelo::test
