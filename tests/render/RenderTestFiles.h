#pragma once
// What the renderer tests share: a temporary folder of picture files written by SDL, and
// pictures made in memory.

#include <cstdint>
#include <functional>
#include <string>

#include "render/KaveloPicture.h"

// A colour with its alpha, as the picture files and the frame hold it.
struct Bgra {
  std::uint8_t b, g, r, a;
  bool operator==(const Bgra&) const = default;
};

// Colour of a picture pixel at (column, row from the top).
using PixelRule = std::function<Bgra(int column, int row)>;

// A folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

// Writes a 24-bit BMP file (no alpha: the loader gives alpha 255); the rule's alpha is ignored.
void WriteBmp(const std::string& path, int width, int height, const PixelRule& rule);
// Writes a PNG file with an alpha channel. The loader composites over black, so a pixel
// given here as (b, g, r, a) is delivered as (b, g, r) x a / 255 with alpha a.
void WritePng(const std::string& path, int width, int height, const PixelRule& rule);
// A uniform colour.
PixelRule Uniform(Bgra colour);

// A picture held in memory, bottom row first, as the loader delivers it.
KaveloPicture MakePicture(int width, int height, const PixelRule& rule);
// The pixel at (column, row from the top) of a picture.
Bgra PictureAt(const KaveloPicture& picture, int column, int row);
