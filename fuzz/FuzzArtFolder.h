#pragma once
// The files that protocol fuzz inputs name by number: tile and trail series in every
// picture format, pictures of odd sizes, files that are no pictures, a sound, and names
// that go wrong (missing, too long, a directory, characters beyond ASCII).

#include <cstdint>
#include <string>

namespace kavelo::fuzz {

// Members in every series: as many tile kinds as a fuzzed set-up can load pictures for.
inline constexpr int kSeriesMembers = 6;
// The cell side of the tile and trail pictures; the odd series ranges around it.
inline constexpr int kSeedCell = 6;

struct SeriesName {
  std::string path;  // the common beginning of the file names, UTF-8
  std::string type;  // the ending after the member's number
};

class FuzzArtFolder {
 public:
  // Writes the files into `dir`, which it creates; false from Ready() when that failed.
  explicit FuzzArtFolder(std::string dir);
  ~FuzzArtFolder();
  FuzzArtFolder(const FuzzArtFolder&) = delete;
  FuzzArtFolder& operator=(const FuzzArtFolder&) = delete;

  bool Ready() const { return m_ready; }
  // Any byte names something: choices wrap around.
  SeriesName Series(std::uint8_t choice) const;
  std::string Picture(std::uint8_t choice) const;
  std::string Sound(std::uint8_t choice) const;

 private:
  bool WriteAll();

  std::string m_dir;
  bool m_ready = false;
};

}  // namespace kavelo::fuzz
