#include <gtest/gtest.h>

#include <vector>

#include "OrvinaTools.h"

TEST(ImageDelivery, CopiesRowsTopDownWithoutPaddingOrWritesNothing) {
  // A 3 x 2 frame stored 16 bytes a row: byte i of row r holds r * 12 + i + 1, padding 0xEE.
  std::vector<unsigned char> frame(32, 0xEE);
  for (int i = 0; i < 24; ++i) frame[i / 12 * 16 + i % 12] = static_cast<unsigned char>(i + 1);
  const OrvinaBitmap padded{frame.data(), 3, 2, 16, 32};
  const OrvinaBitmap rowsOnly{frame.data(), 3, 1, 12, 32};
  const struct {
    const char* what;
    const OrvinaBitmap* bitmap;
    int width, height, bits;
    bool hostBuffer;
    int rows;
  } cases[] = {
      {"a padded frame", &padded, 3, 2, 32, true, 2},
      {"an unpadded frame", &rowsOnly, 3, 1, 32, true, 1},
      {"no frame", nullptr, 3, 2, 32, true, 0},
      {"no host buffer", &padded, 3, 2, 32, false, 0},
      {"another width", &padded, 4, 2, 32, true, 0},
      {"another height", &padded, 3, 1, 32, true, 0},
      {"24 bits", &padded, 3, 2, 24, true, 0},
  };
  const OrvinaBitmap refused[] = {{nullptr, 3, 2, 16, 32}, {frame.data(), 3, 2, 16, 24},
                                  {frame.data(), 0, 0, 16, 32}, {frame.data(), 3, 2, 8, 32}};
  for (const auto& c : cases) {
    std::vector<char> host(c.height * 12, 0x5A);  // exactly the frame's bytes: an overrun is caught
    EXPECT_EQ(GetImageData(c.bitmap, c.width, c.height, c.bits, c.hostBuffer ? host.data() : nullptr), c.rows);
    for (std::size_t i = 0; i < host.size(); ++i) ASSERT_EQ(host[i], c.rows ? static_cast<char>(i + 1) : 0x5A) << c.what;
  }
  for (const OrvinaBitmap& bitmap : refused) {
    std::vector<char> host(24, 0x5A);
    EXPECT_EQ(GetImageData(&bitmap, bitmap.width, bitmap.height, 32, host.data()), 0) << bitmap.strideBytes;
    EXPECT_EQ(host, std::vector<char>(24, 0x5A));
  }
}
