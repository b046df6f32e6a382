#pragma once
// The picture loader. One object holds at most one decoded picture, from a successful
// Load until Free; the renderer keeps one and reuses it for every file.

#include <cstdint>
#include <string>

#include "image/PictureBitmap.h"
#include "image/DecodedPicture.h"

class COlePicture {
 public:
  COlePicture() = default;
  // Releases a held picture as Free does.
  virtual ~COlePicture();
  COlePicture(const COlePicture&) = delete;
  COlePicture& operator=(const COlePicture&) = delete;

  // Reads and decodes the file at `path`. 0 on success, a failure code of
  // image/PictureLoadCodes.h otherwise; -1 when a picture is already held, which stays.
  int Load(const std::wstring& path);
  // The most bytes (4 a pixel) a picture may decode to. Load refuses a file that declares
  // more with kPictureOverBudget, before anything is decoded. No limit until set.
  void SetByteLimit(std::uint64_t bytes) { m_byteLimit = bytes; }
  // The held picture's size in the device's pixels, from its HIMETRIC size; 0 when
  // nothing is held.
  int GetWidth(const kavelo::image::PictureDevice& device) const;
  int GetHeight(const kavelo::image::PictureDevice& device) const;
  // The held picture's own measure, in HIMETRIC units; 0 when nothing is held.
  int GetHimetricWidth() const { return m_bLoaded ? m_himetricWidth : 0; }
  int GetHimetricHeight() const { return m_bLoaded ? m_himetricHeight : 0; }
  // Draws the whole held picture stretched into `rect` of `target`, composited over
  // black: each colour byte becomes colour * alpha / 255 and the alpha byte is the
  // picture's own. Only the part of `rect` on the bitmap is drawn. -1 when nothing is
  // held, otherwise 0.
  int Render(kavelo::platform::FrameSurface& target, const kavelo::image::PictureRect& rect) const;
  // Hands over the held picture as Render would draw it whole into a bitmap of its own
  // size and a reader would read the bitmap back: composited over black, bottom row first,
  // in the memory it was decoded into. The picture is released. -1, with the picture
  // still held, when nothing is held or `width` x `height` is not the picture's size.
  int TakeAtOwnSize(int width, int height, kavelo::image::PixelBuffer& pixels);
  // Releases a held picture; nothing when none is held.
  void Free();

 private:
  bool m_bLoaded = false;                // true while a picture is held
  kavelo::image::DecodedPicture m_picture;  // the held pixels
  int m_himetricWidth = 0;               // the held picture's size at the display's resolution
  int m_himetricHeight = 0;
  std::uint64_t m_byteLimit = UINT64_MAX;
};
