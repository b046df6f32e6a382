#pragma once
// Picture files to pixels: width x height pixels of 4 bytes (blue, green, red, alpha),
// rows without gaps, bottom row first.

#include <cstdint>
#include <memory>
#include <string>

#include "image/OlePicture.h"
#include "image/DecodedPicture.h"

// Loads the picture at `path`. Returns 0 on success and only then writes the outputs:
// the sizes first, then the pixel buffer, which passes to the caller. A picture drawn at
// its own size (every picture, at the display's resolution) becomes the output in the
// memory it was decoded into: no second copy of it is made. Failure codes:
// -1 the object already holds a picture, or the file cannot be opened or sized;
// -2 out of memory; -3 an empty file; -5 not a picture this loader decodes, or one
// larger than kMaxPictureSide in either direction; another nonzero value: a read error.
int LoadImageBits(COlePicture& picture, const std::wstring& path, kavelo::image::PixelBuffer& pixels,
                  int& width, int& height, int& bitsPerPixel);
