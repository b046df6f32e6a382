#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "OrvinaTools.h"

namespace {

// A 3 x 2 frame whose byte i holds i + 1, stored with `stride` bytes a row.
std::vector<unsigned char> FrameBytes(int stride) {
  std::vector<unsigned char> bytes(static_cast<std::size_t>(stride) * 2, 0xEE);
  for (int row = 0; row < 2; ++row) {
    for (int i = 0; i < 12; ++i) bytes[row * stride + i] = static_cast<unsigned char>(row * 12 + i + 1);
  }
  return bytes;
}

}  // namespace

TEST(ImageDelivery, CopiesRowsTopDownWithoutPadding) {
  for (int stride : {12, 16, 20}) {
    const std::vector<unsigned char> frame = FrameBytes(stride);
    const OrvinaBitmap bitmap{frame.data(), 3, 2, stride, 32};
    std::vector<char> host(24, 0);  // exactly the frame's bytes: any overrun is caught
    EXPECT_EQ(GetImageData(&bitmap, 3, 2, 32, host.data()), 2) << stride;
    for (int i = 0; i < 24; ++i) ASSERT_EQ(static_cast<unsigned char>(host[i]), i + 1) << stride;
  }
}

TEST(ImageDelivery, RefusedCallsWriteNothing) {
  const std::vector<unsigned char> frame = FrameBytes(12);
  const OrvinaBitmap good{frame.data(), 3, 2, 12, 32};
  std::vector<char> host(24, 0x5A);
  struct Case {
    const char* what;
    OrvinaBitmap bitmap;
    bool nullBitmap;
    int width, height, bits;
    bool nullHost;
  } cases[] = {
      {"no frame", good, true, 3, 2, 32, false},
      {"no frame pixels", {nullptr, 3, 2, 12, 32}, false, 3, 2, 32, false},
      {"no host buffer", good, false, 3, 2, 32, true},
      {"other width", good, false, 4, 2, 32, false},
      {"other height", good, false, 3, 1, 32, false},
      {"24 bits", good, false, 3, 2, 24, false},
      {"frame of 24 bits", {frame.data(), 3, 2, 12, 24}, false, 3, 2, 24, false},
      {"zero size", {frame.data(), 0, 0, 12, 32}, false, 0, 0, 32, false},
      {"negative size", {frame.data(), -3, 2, 12, 32}, false, -3, 2, 32, false},
      {"stride shorter than a row", {frame.data(), 3, 2, 8, 32}, false, 3, 2, 32, false},
  };
  for (const Case& c : cases) {
    const int rows = GetImageData(c.nullBitmap ? nullptr : &c.bitmap, c.width, c.height, c.bits,
                                  c.nullHost ? nullptr : host.data());
    EXPECT_EQ(rows, 0) << c.what;
    EXPECT_EQ(host, std::vector<char>(24, 0x5A)) << c.what;
  }
}
