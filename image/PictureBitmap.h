#pragma once
// The drawing side of a picture load: the device a picture is measured for and a
// rectangle on it. Pictures are drawn into a platform::FrameSurface before their pixels
// are read back.

#include "image/Himetric.h"
#include "platform/FrameSurface.h"

namespace kavelo::image {

// A device's resolution, which turns a picture's HIMETRIC size into pixels.
struct PictureDevice {
  int pixelsPerInchX = kDisplayPixelsPerInch;
  int pixelsPerInchY = kDisplayPixelsPerInch;
};

// Edges in pixels; right and bottom lie just outside.
struct PictureRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

}  // namespace kavelo::image
