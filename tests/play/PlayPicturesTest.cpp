// The play core's choice of pictures: the address's style and cell options, read as the
// command line's are, and the cell that fits a room.
#include <gtest/gtest.h>

#include <tuple>

#include "DrawnArt.h"
#include "PlayAddress.h"
#include "PlaySettings.h"

namespace {

using namespace kavelo::play;

TEST(PlayAddress, TheAddressTakesTheStyleAndCellAndRefusesAsTheCommandLineDoes) {
  const struct Case {
    const char* query;
    const char* refused;  // the start of the reason, empty when playable
    bool contrast;
    int cell;
  } cases[] = {
      {"?style=contrast", "", true, 0},
      {"?columns=6&style=standard&cell=96", "", false, 96},
      {"?style=bold", "--style takes standard or contrast", false, 0},
      {"?style", "unknown option ?style", false, 0},
      {"?cell=12", "--cell takes a number from 24 to 256", false, 0},
  };
  for (const Case& c : cases) {
    std::string error;
    const std::optional<PlaySettings> s = ParseSettings(AddressArguments(c.query), "/art", error);
    EXPECT_EQ(!s, c.refused[0] != '\0') << c.query << ": " << error;
    if (!s) {
      EXPECT_EQ(error.rfind(c.refused, 0), 0u) << c.query << ": " << error;
      continue;
    }
    EXPECT_EQ(std::tuple(s->contrast, s->cell), std::tuple(c.contrast, c.cell)) << c.query;
  }
}

TEST(CellToFit, TheLargestCellWhoseFrameFitsTheRoomFrom24To128) {
  struct Case {
    int width, height, cell;
  } cases[] = {
      {1920, 1080, 85}, {3840, 2160, 128}, {1366, 768, 60}, {800, 600, 44}, {320, 240, 24}, {1080, 1920, 60},
  };
  const PlaySettings board;  // 16 x 10, the board ring around it
  for (const Case& c : cases) {
    const int cell = CellToFit(board, c.width, c.height);
    EXPECT_EQ(cell, c.cell) << c.width << "x" << c.height;
    // The frame at that cell fits the room; one a pixel larger would not.
    const auto fits = [&](int side) { return 18 * side <= c.width && 12 * side + side * 2 / 3 <= c.height; };
    EXPECT_TRUE(cell == 24 || fits(cell)) << c.width << "x" << c.height;
    EXPECT_TRUE(cell == 128 || !fits(cell + 1)) << c.width << "x" << c.height;
  }
}

}  // namespace
