#include <gtest/gtest.h>

#include <vector>

#include "OrvinaTools.h"

TEST(ImageDelivery, CopiesRowsTopDownWithoutPaddingOrWritesNothing) {
  // A 3 x 2 frame stored 16 bytes a row: byte i of row r holds r * 12 + i + 1, padding 0xEE.
  std::vector<unsigned char> frame(32, 0xEE);
  for (int i = 0; i < 24; ++i) frame[i / 12 * 16 + i % 12] = static_cast<unsigned char>(i + 1);
  const struct {
    OrvinaBitmap bitmap;
    int width, height, bits;
    bool hostBuffer, delivered;
  } cases[] = {
      {{frame.data(), 3, 2, 16, 32}, 3, 2, 32, true, true},  {{frame.data(), 3, 1, 12, 32}, 3, 1, 32, true, true},
      {{nullptr, 3, 2, 16, 32}, 3, 2, 32, true, false},      {{frame.data(), 3, 2, 16, 32}, 3, 2, 32, false, false},
      {{frame.data(), 3, 2, 16, 32}, 4, 2, 32, true, false}, {{frame.data(), 3, 2, 16, 32}, 3, 1, 32, true, false},
      {{frame.data(), 3, 2, 16, 24}, 3, 2, 24, true, false}, {{frame.data(), 3, 2, 16, 24}, 3, 2, 32, true, false},
      {{frame.data(), 0, 0, 16, 32}, 0, 0, 32, true, false}, {{frame.data(), 3, 2, 8, 32}, 3, 2, 32, true, false},
  };
  for (const auto& c : cases) {
    std::vector<char> host(24, 0x5A);
    const int rows = GetImageData(&c.bitmap, c.width, c.height, c.bits, c.hostBuffer ? host.data() : nullptr);
    EXPECT_EQ(rows, c.delivered ? c.height : 0) << "case " << &c - cases;
    for (int i = 0; i < 24; ++i) ASSERT_EQ(host[i], i < rows * 12 ? i + 1 : 0x5A) << "case " << &c - cases << ", byte " << i;
  }
  EXPECT_EQ(GetImageData(nullptr, 3, 2, 32, std::vector<char>(24).data()), 0);
}
