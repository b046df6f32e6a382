#include "fuzz/FuzzArtFolder.h"

#include <cmath>
#include <filesystem>
#include <system_error>
#include <vector>

#include "fuzz/SeedPictures.h"

namespace kavelo::fuzz {
namespace {

// Longer than the 255 characters a composed file name may have, and than the 256-byte
// path buffer.
constexpr std::size_t kOverlongName = 300;
const char kNonAsciiStem[] = "t\xC3\xAFle";  // "tile" with a diaeresis, in UTF-8

struct SeriesFiles {
  const char* stem;
  SeedFormat format;
};
constexpr SeriesFiles kSeries[] = {
    {"bt", SeedFormat::kBmp24}, {"vt", SeedFormat::kBmp32V5}, {"pt", SeedFormat::kPng},
    {"gt", SeedFormat::kGifTransparent}, {"jt", SeedFormat::kJpeg}, {kNonAsciiStem, SeedFormat::kBmpPalette8},
};

// A short 16-bit mono WAV of a falling tone.
std::vector<std::uint8_t> ShortWave() {
  constexpr std::uint32_t kRate = 8000;
  constexpr std::uint32_t kSamples = kRate / 50;
  std::vector<std::uint8_t> out = {'R', 'I', 'F', 'F'};
  const auto put32 = [&out](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  const auto put16 = [&out](std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  put32(36 + kSamples * 2);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put32(16);
  put16(1);  // PCM
  put16(1);
  put32(kRate);
  put32(kRate * 2);
  put16(2);
  put16(16);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  put32(kSamples * 2);
  for (std::uint32_t i = 0; i < kSamples; ++i) {
    put16(static_cast<std::uint16_t>(static_cast<std::int16_t>(8000 * std::sin(i * (0.3 - i * 0.001)))));
  }
  return out;
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
  const auto write = [&](const std::string& name, const std::vector<std::uint8_t>& bytes) {
    ok = !bytes.empty() && WriteBytes(m_dir + "/" + name, bytes) && ok;
  };
  for (const SeriesFiles& series : kSeries) {
    for (int n = 1; n <= kSeriesMembers; ++n) {
      write(series.stem + std::to_string(n) + SeedFormatSuffix(series.format),
            EncodePicture(MakeTilePicture(n, kSeedCell, kSeedCell), series.format));
    }
  }
  // Members of mixed sizes in one series, from 1 x 1 up to twice the cell.
  for (int n = 1; n <= kSeriesMembers; ++n) {
    write("mx" + std::to_string(n) + ".bmp",
          EncodePicture(MakeTilePicture(n, 1 + (n * 5) % (2 * kSeedCell), 1 + (n * 3) % (2 * kSeedCell)),
                        SeedFormat::kBmp24));
  }
  // Trail frames: bright, without a frame of black, so that every pixel shows.
  for (int n = 1; n <= kSeriesMembers; ++n) {
    SeedPicture frame = MakeTilePicture(n + 7, kSeedCell, kSeedCell);
    for (std::size_t i = 0; i < frame.rgba.size(); i += 4) frame.rgba[i] = 255;
    write("tr" + std::to_string(n) + ".bmp", EncodePicture(frame, SeedFormat::kBmpTopDown));
  }
  write("choose.png", EncodePicture(MakeTilePicture(9, kSeedCell, kSeedCell), SeedFormat::kPng));
  write("timebar.gif", EncodePicture(MakeTilePicture(10, 40, 3), SeedFormat::kGifTwoFrames));
  write("wide.bmp", EncodePicture(MakeTilePicture(11, 300, 2), SeedFormat::kBmpCore));
  write("tall.png", EncodePicture(MakeTilePicture(12, 2, 90), SeedFormat::kPng));
  const std::vector<std::uint8_t> png = EncodePicture(MakeTilePicture(13, 8, 8), SeedFormat::kPng);
  write("cut.png", std::vector<std::uint8_t>(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(png.size() / 2)));
  const std::string text = "not a picture\n";
  write("notes.txt", std::vector<std::uint8_t>(text.begin(), text.end()));
  ok = WriteBytes(m_dir + "/empty.png", {}) && ok;
  write("ping.wav", ShortWave());
  return ok;
}

SeriesName FuzzArtFolder::Series(std::uint8_t choice) const {
  constexpr unsigned kNamed = sizeof kSeries / sizeof kSeries[0];
  const std::string base = m_dir + "/";
  if (choice % 12 < kNamed) {
    const SeriesFiles& series = kSeries[choice % 12];
    return {base + series.stem, SeedFormatSuffix(series.format)};
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
