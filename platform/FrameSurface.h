#pragma once
// The frame surface: what the renderer draws into in place of a display bitmap. One
// surface of 32-bit pixels (blue, green, red, alpha), rows top-down without gaps. Every
// operation clips to the surface, so no position or size can reach outside its buffer,
// and to a limit within it while one is set.

#include <cstdint>
#include <memory>

namespace kavelo::platform {

// A picture to place: `width` x `height` pixels of 4 bytes, rows without gaps, bottom
// row first. Not owned.
struct BottomUpPicture {
  const std::uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
};

class FrameSurface {
 public:
  static constexpr int kBytesPerPixel = 4;
  // Wider or taller than any display; keeps one surface at 1 GiB at most.
  static constexpr int kMaxSide = 16384;

  // Makes a surface of width x height pixels, every byte 0, replacing any earlier one.
  // False (and no surface) when a side is not positive, exceeds kMaxSide, or the memory
  // cannot be had.
  bool Create(int width, int height);
  void Release();

  bool Empty() const { return m_pixels == nullptr; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  int StrideBytes() const { return m_width * kBytesPerPixel; }
  const std::uint8_t* Pixels() const { return m_pixels.get(); }
  // Row y counted from the top; y must lie within the surface.
  std::uint8_t* Row(int y) {
    ++m_writes;
    Touch(y, y + 1);
    return RowAt(y);
  }
  const std::uint8_t* Row(int y) const { return m_pixels.get() + static_cast<std::size_t>(y) * StrideBytes(); }

  // Every byte 0.
  void Clear();
  // Every byte 0 in the rectangle at (x, y) of width x height.
  void ClearRect(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height);
  // Every bit set in the rectangle at (x, y) of width x height.
  void FillOnes(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height);
  // Copies the picture unchanged with its top-left corner at (x, y); only the part within
  // its first `width` columns and `height` rows (counted from its top-left) is placed.
  void PlacePicture(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                    const BottomUpPicture& picture);
  // Sets the pixel at (x, y) to the 4 bytes at `bgra`.
  void SetPixel(std::int64_t x, std::int64_t y, const std::uint8_t* bgra);

  // Confines the operations above to the rectangle at (x, y) of width x height until
  // Unlimit, so that one part of a picture can be composed again exactly as before.
  void Limit(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height);
  void Unlimit();
  // Whether the rectangle has any pixel on the surface, within the limit.
  bool Reaches(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) const;
  // Grows with every operation that may have changed pixels, and with every writable row
  // handed out: whoever keeps the surface between frames can tell that someone else wrote.
  std::uint64_t Writes() const { return m_writes; }

  // The rows [top, bottom) that operations may have changed since the last call, which
  // starts the count afresh; top == bottom when none. A host that keeps its copy of the
  // frame need only take these rows again.
  struct RowBand {
    int top = 0, bottom = 0;
  };
  RowBand TakeWrittenRows();

 private:
  // The part of the rectangle at (x, y) of width x height that lies on the surface and
  // within the limit.
  struct Clip {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return left >= right || top >= bottom; }
  };
  Clip ClipRect(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) const;
  void FillRect(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height, std::uint8_t byte);
  std::uint8_t* RowAt(int y) { return m_pixels.get() + static_cast<std::size_t>(y) * StrideBytes(); }
  void Touch(int top, int bottom);

  std::unique_ptr<std::uint8_t[]> m_pixels;
  int m_width = 0;
  int m_height = 0;
  Clip m_limit;  // where operations may write: the whole surface unless limited
  std::uint64_t m_writes = 0;
  RowBand m_written;
};

}  // namespace kavelo::platform
