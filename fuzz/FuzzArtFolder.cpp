#include "fuzz/FuzzArtFolder.h"

#include <cmath>
#include <filesystem>
#include <system_error>
#include <span>
#include <vector>

#include "tests/support/TestFiles.h"

namespace kavelo::fuzz {
namespace {

using namespace kavelo::test;

// Longer than the 255 characters a composed file name may have, and than the 256-byte
// path buffer.
constexpr std::size_t kOverlongName = 300;
const char kNonAsciiStem[] = "t\xC3\xAFle";  // "tile" with a diaeresis, in UTF-8

struct SeriesFiles {
  const char* stem;
  Format format;
};
constexpr SeriesFiles kSeries[] = {
    {"bt", Format::kBmp24}, {"vt", Format::kBmp32}, {"pt", Format::kPng},
    {"gt", Format::kGif},   {"jt", Format::kJpeg},  {kNonAsciiStem, Format::kBmpTopDown},
};

// A tile of kind `kind`: its own colour, a pure black frame (the key colour) and one
// half-transparent pixel.
TestPicture Tile(int kind, int width, int height) {
  TestPicture tile = Solid(width, height, {std::uint8_t(40 + kind * 37), std::uint8_t(220 - kind * 29),
                                           std::uint8_t(90 + kind * 53), 255});
  for (int i = 0; i < width * height; ++i) {
    if (i % width == 0 || i / width == 0 || i % width == width - 1 || i / width == height - 1) tile.pixels[i] = {};
  }
  if (width > 2 && height > 2) tile.pixels[width + 1].a = 128;
  return tile;
}

// A short 16-bit mono WAV of a falling tone.
Bytes ShortWave() {
  std::vector<std::int16_t> samples(160);
  for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = std::int16_t(8000 * std::sin(i * (0.3 - i * 0.001)));
  return MakeWave({1, 1, 8000, 16, false}, std::span(reinterpret_cast<const std::uint8_t*>(samples.data()), 320));
}

}  // namespace

FuzzArtFolder::FuzzArtFolder(std::string dir) : m_dir(std::move(dir)) { m_ready = WriteAll(); }

FuzzArtFolder::~FuzzArtFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(m_dir, ignored);
}

bool FuzzArtFolder::WriteAll() {
  std::error_code error;
  std::filesystem::create_directories(m_dir + "/sub1", error);
  std::filesystem::create_directories(m_dir + "/sub2", error);
  if (error) return false;
  bool ok = true;
  const auto write = [&](const std::string& name, const Bytes& bytes) {
    ok = !bytes.empty() && WriteFile(m_dir + "/" + name, bytes) && ok;
  };
  for (const SeriesFiles& series : kSeries) {
    for (int n = 1; n <= kSeriesMembers; ++n) {
      write(series.stem + std::to_string(n) + Suffix(series.format), Encode(Tile(n, kSeedCell, kSeedCell), series.format));
    }
  }
  // Members of mixed sizes in one series, from 1 x 1 up to twice the cell.
  for (int n = 1; n <= kSeriesMembers; ++n) {
    write("mx" + std::to_string(n) + ".bmp",
          Encode(Tile(n, 1 + (n * 5) % (2 * kSeedCell), 1 + (n * 3) % (2 * kSeedCell)), Format::kBmp24));
  }
  // Trail frames: bright, without a frame of black, so that every pixel shows.
  for (int n = 1; n <= kSeriesMembers; ++n) {
    write("tr" + std::to_string(n) + ".bmp", Encode(Gradient(kSeedCell, kSeedCell), Format::kBmpTopDown));
  }
  write("choose.png", Encode(Tile(9, kSeedCell, kSeedCell), Format::kPng));
  write("timebar.gif", Encode(Tile(10, 40, 3), Format::kGif));
  write("wide.bmp", Encode(Tile(11, 300, 2), Format::kBmp24));
  write("tall.png", Encode(Tile(12, 2, 90), Format::kPng));
  const Bytes png = Encode(Tile(13, 8, 8), Format::kPng);
  write("cut.png", Bytes(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(png.size() / 2)));
  const std::string text = "not a picture\n";
  write("notes.txt", Bytes(text.begin(), text.end()));
  ok = WriteFile(m_dir + "/empty.png", {}) && ok;
  write("ping.wav", ShortWave());
  return ok;
}

SeriesName FuzzArtFolder::Series(std::uint8_t choice) const {
  constexpr unsigned kNamed = sizeof kSeries / sizeof kSeries[0];
  const std::string base = m_dir + "/";
  if (choice % 12 < kNamed) {
    const SeriesFiles& series = kSeries[choice % 12];
    return {base + series.stem, Suffix(series.format)};
  }
  switch (choice % 12) {
    case kNamed:
      return {base + "mx", ".bmp"};
    case kNamed + 1:
      return {base + "tr", ".bmp"};
    case kNamed + 2:
      return {base + std::string(kOverlongName, 'a'), ".bmp"};
    case kNamed + 3:
      return {base + "bt", ".bmp-but-longer"};  // cut to the suffix buffer
    case kNamed + 4:
      return {base + "sub", ""};  // directories, not files
    default:
      return {base + "none", ".png"};
  }
}

std::string FuzzArtFolder::Picture(std::uint8_t choice) const {
  static const char* const kFiles[] = {"choose.png", "timebar.gif", "wide.bmp", "tall.png", "mx2.bmp",
                                       "jt1.jpg",    "cut.png",     "notes.txt", "empty.png", "missing.gif",
                                       "sub1",       "gt3.gif",     "vt4.bmp"};
  constexpr unsigned kCount = sizeof kFiles / sizeof kFiles[0];
  const unsigned pick = choice % (kCount + 2);
  if (pick == kCount) return m_dir + "/" + std::string(kOverlongName, 'b') + ".png";
  if (pick == kCount + 1) return "";
  return m_dir + "/" + kFiles[pick];
}

std::string FuzzArtFolder::Sound(std::uint8_t choice) const {
  switch (choice % 5) {
    case 0:
      return m_dir + "/ping.wav";
    case 1:
      return m_dir + "/missing.wav";
    case 2:
      return m_dir + "/notes.txt";
    case 3:
      return m_dir + "/sub1";
    default:
      return "";
  }
}

}  // namespace kavelo::fuzz
