#include "fuzz/FuzzArt.h"

#include <filesystem>
#include <system_error>

#include "tests/support/TestFiles.h"

namespace kavelo::fuzz {

using namespace kavelo::test;

bool WriteFuzzArt(const std::string& dir) {
  std::error_code error;
  std::filesystem::create_directories(dir + "/sub1", error);
  std::filesystem::create_directories(dir + "/sub2", error);
  bool ok = !error;
  const auto write = [&](const std::string& name, const Bytes& bytes) {
    ok = WriteFile(dir + "/" + name, bytes) && ok;
  };
  // Transparent, partly transparent and opaque pixels, and one of pure black, the key colour.
  const auto picture = [](int width, int height, Format format) {
    TestPicture fading = Gradient(width, height, Alpha::kFading);
    fading.pixels[0] = {0, 0, 0, 255};
    return Encode(fading, format);
  };
  const struct { const char* stem; Format format; } series[] = {
      {"bt", Format::kBmp24}, {"vt", Format::kBmp32}, {"pt", Format::kPng},
      {"gt", Format::kGif},   {"jt", Format::kJpeg},  {"t\xC3\xAFle", Format::kBmpTopDown},
  };
  for (int n = 1; n <= kSeriesMembers; ++n) {
    const std::string number = std::to_string(n);
    for (const auto& [stem, format] : series) write(stem + number + Suffix(format), picture(kSeedCell, kSeedCell, format));
    // Mixed sizes in one series, from 1 x 1 up to twice the cell.
    write("mx" + number + ".bmp", picture(1 + (n * 5) % (2 * kSeedCell), 1 + (n * 3) % (2 * kSeedCell), Format::kBmp24));
    write("tr" + number + ".bmp", Encode(Gradient(kSeedCell, kSeedCell), Format::kBmpTopDown));
  }
  write("choose.png", picture(kSeedCell, kSeedCell, Format::kPng));
  write("timebar.gif", picture(40, 3, Format::kGif));
  write("wide.bmp", picture(300, 2, Format::kBmp24));
  write("tall.png", picture(2, 90, Format::kPng));
  const Bytes png = picture(8, 8, Format::kPng);
  write("cut.png", Bytes(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(png.size() / 2)));
  write("notes.txt", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e', '\n'});
  write("empty.png", {});
  write("ping.wav", MarkedWave(1, 400));
  return ok;
}

}  // namespace kavelo::fuzz
