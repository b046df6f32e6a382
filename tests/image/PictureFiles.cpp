#include "tests/image/PictureFiles.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <SDL.h>
#include <SDL_image.h>
#include <sys/stat.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace kavelo::image::test {
namespace {

std::uint8_t Byte(std::uint32_t value) { return static_cast<std::uint8_t>(value); }

Bytes EncodeGif(const TestPicture& picture) {
  std::vector<std::uint32_t> colours = {0};  // entry 0 is the transparent colour
  Bytes data;                                // 9-bit codes, least significant bit first
  std::uint32_t bits = 0, count = 0;
  const auto put = [&](std::uint32_t code) {
    for (bits |= code << count, count += 9; count >= 8; count -= 8, bits >>= 8) data.push_back(Byte(bits));
  };
  for (const Rgba& c : picture.pixels) {
    const std::uint32_t key = c.a == 0 ? 0 : (1u << 24) | (c.r << 16) | (c.g << 8) | c.b;
    auto at = std::find(colours.begin(), colours.end(), key);
    if (at == colours.end()) at = colours.insert(at, key);
    put(256);  // a clear code before each pixel keeps the code table from growing
    put(static_cast<std::uint32_t>(at - colours.begin()));
  }
  put(257);
  data.insert(data.end(), 2 - data.size() % 2, Byte(bits));  // the last bits, padded to whole sub-blocks
  if (colours.size() > 256) return {};
  colours.resize(256);
  const std::uint8_t w0 = Byte(picture.width), w1 = Byte(picture.width >> 8);
  const std::uint8_t h0 = Byte(picture.height), h1 = Byte(picture.height >> 8);
  Bytes out = {'G', 'I', 'F', '8', '9', 'a', w0, w1, h0, h1, 0xF7, 0, 0};  // 256 colours follow
  for (std::uint32_t c : colours) out.insert(out.end(), {Byte(c >> 16), Byte(c >> 8), Byte(c)});
  // A control block naming entry 0 transparent, then the frame: its place, sides and code size.
  out.insert(out.end(), {0x21, 0xF9, 4, 1, 0, 0, 0, 0, 0x2C, 0, 0, 0, 0, w0, w1, h0, h1, 0, 8});
  // Sub-blocks of two bytes each: small, yet enough for the decoder to join a 9-bit code.
  for (std::size_t at = 0; at < data.size(); at += 2) out.insert(out.end(), {2, data[at], data[at + 1]});
  out.insert(out.end(), {0, 0x3B});
  return out;
}

}  // namespace

std::filesystem::path Scratch(const std::string& name) {
  static const struct Folder {
    std::string root = (std::filesystem::temp_directory_path() / "kavelo-image-XXXXXX").string();
#ifdef _WIN32
    Folder() {
      root.resize(root.size() - 6);
      root += std::to_string(GetCurrentProcessId());
      std::filesystem::create_directories(root);
    }
#else
    Folder() { ::mkdtemp(root.data()); }
#endif
    ~Folder() { std::error_code ignored; std::filesystem::remove_all(root, ignored); }
  } folder;
  return std::filesystem::path(folder.root) / name;
}

#ifdef _WIN32
std::wstring Pipe(const std::string& name) {
  const std::string path = "\\\\.\\pipe\\kavelo-" + std::to_string(GetCurrentProcessId()) + "-" + name;
  // The server end stays open for the program's life, so that the pipe exists.
  const HANDLE server = CreateNamedPipeA(path.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
  return server == INVALID_HANDLE_VALUE ? std::wstring() : std::wstring(path.begin(), path.end());
}
#else
std::wstring Pipe(const std::string& name) {
  return ::mkfifo(Scratch(name).c_str(), 0600) == 0 ? Scratch(name).wstring() : std::wstring();
}
#endif

TestPicture Gradient(int width, int height, Alpha alpha) {
  TestPicture picture{width, height, {}};
  for (int i = 0; i < width * height; ++i) {
    const int x = i % width * 255 / std::max(1, width - 1), y = i / width * 255 / std::max(1, height - 1);
    const int a = alpha == Alpha::kFading ? 255 - x : alpha == Alpha::kKeyed && x == 255 ? 0 : 255;
    picture.pixels.push_back({Byte(x), Byte(y), 40, Byte(a)});
  }
  return picture;
}

#ifdef _WIN32
// The system's encoders (WIC), in win32/SystemEncoders.cpp.
Bytes EncodeBySystem(const TestPicture& picture, Format format);
#else
Bytes EncodeBySystem(const TestPicture& picture, Format format) {
  using Surface = std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)>;
  const Surface rgba(SDL_CreateRGBSurfaceWithFormatFrom(const_cast<Rgba*>(picture.pixels.data()), picture.width,
                     picture.height, 32, picture.width * 4, SDL_PIXELFORMAT_RGBA32), SDL_FreeSurface);
  const Surface rgb(rgba ? SDL_ConvertSurfaceFormat(rgba.get(), SDL_PIXELFORMAT_BGR24, 0) : nullptr, SDL_FreeSurface);
  Bytes bytes(static_cast<std::size_t>(picture.width) * picture.height * 8 + 65536);
  SDL_RWops* out = rgb ? SDL_RWFromMem(bytes.data(), static_cast<int>(bytes.size())) : nullptr;
  if (out == nullptr) return {};
  SDL_Surface* const source = format == Format::kBmp32 || format == Format::kPng ? rgba.get() : rgb.get();
  const int failed = format == Format::kPng ? IMG_SavePNG_RW(source, out, 0)
                     : format == Format::kJpeg ? IMG_SaveJPG_RW(source, out, 0, 100) : SDL_SaveBMP_RW(source, out, 0);
  bytes.resize(failed ? 0 : static_cast<std::size_t>(SDL_RWtell(out)));
  SDL_RWclose(out);
  return bytes;
}
#endif

Bytes Encode(const TestPicture& picture, Format format) {
  if (format == Format::kGif) return EncodeGif(picture);
  return EncodeBySystem(picture, format);
}

std::wstring Written(const std::string& name, const Bytes& bytes) {
  std::ofstream file(Scratch(name), std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.close();
  EXPECT_TRUE(file) << "cannot write " << name;
  return Scratch(name).wstring();
}

Bytes Patched(Bytes bytes, std::size_t at, std::uint32_t value, int count, bool big) {
  for (int i = 0; i < count; ++i) bytes.at(at + i) = Byte(value >> (8 * (big ? count - 1 - i : i)));
  return bytes;
}

::testing::AssertionResult SamePixels(const LoadedPicture& loaded, const TestPicture& expected, int tolerance) {
  const int w = expected.width, h = expected.height;
  if (!loaded.pixels || loaded.width != w || loaded.height != h || loaded.bitsPerPixel != 32) {
    return ::testing::AssertionFailure() << "loaded " << loaded.width << " x " << loaded.height;
  }
  for (int i = 0; i < w * h * 4; ++i) {
    const int x = i / 4 % w, y = i / 4 / w;
    const Rgba c = expected.pixels[static_cast<std::size_t>(i / 4)];
    const int want[4] = {c.b * c.a / 255, c.g * c.a / 255, c.r * c.a / 255, c.a};
    const int got = loaded.pixels[static_cast<std::size_t>(((h - 1 - y) * w + x) * 4 + i % 4)];  // bottom row first
    if (std::abs(got - want[i % 4]) > tolerance) {
      return ::testing::AssertionFailure() << "(" << x << ", " << y << ") byte " << i % 4 << " is " << got;
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace kavelo::image::test
