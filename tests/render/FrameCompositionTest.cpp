#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "RenderTestFiles.h"
#include "logic/KaveloInternal.h"
#include "render/KaveloFigure.h"

namespace {

constexpr int kScreenWidth = 40;
constexpr int kScreenHeight = 30;
constexpr int kZeroX = 2;
constexpr int kZeroY = 3;
constexpr int kCellWidth = 4;
constexpr int kCellHeight = 3;
constexpr Bgra kZero{0, 0, 0, 0};
constexpr Bgra kWhite{255, 255, 255, 255};

// Pixel (column, row from the top) of picture `id`: every pixel tells which picture it
// comes from and where in it, so a flipped or shifted copy shows.
Bgra Value(int id, int column, int row) {
  return {static_cast<std::uint8_t>(column), static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(id), 0x7F};
}
PixelRule Rule(int id) {
  return [id](int column, int row) { return Value(id, column, row); };
}

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(figure.SetScreen(kScreenWidth, kScreenHeight, kZeroX, kZeroY, 32));
    figure.m_pictureWidth = kCellWidth;
    figure.m_pictureHeight = kCellHeight;
    SetBoard(5, 4);
  }

  void SetBoard(int width, int height) {
    board.m_width = static_cast<std::uint8_t>(width);
    board.m_height = static_cast<std::uint8_t>(height);
    board.m_tiles = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(width) * height);
    board.m_trail = std::make_unique<std::int8_t[]>(static_cast<std::size_t>(width) * height);
    board.m_selX = -1;
    board.m_selY = -1;
    board.m_timeLimit = 0;
    board.m_elapsed = 0;
  }
  void SetCell(int x, int y, int tile, int trail) {
    board.m_tiles[y * board.m_width + x] = static_cast<std::uint8_t>(tile);
    board.m_trail[y * board.m_width + x] = static_cast<std::int8_t>(trail);
  }
  // Icons 1..count and trail frames 101..100 + frames, all one cell in size.
  void SetPictures(int icons, int frames) {
    figure.m_iconPixels.clear();
    for (int id = 1; id <= icons; ++id) figure.m_iconPixels.push_back(MakePicture(kCellWidth, kCellHeight, Rule(id)));
    figure.m_iconCount = static_cast<std::uint16_t>(icons);
    figure.m_animationPixels.clear();
    for (int n = 1; n <= frames; ++n) {
      figure.m_animationPixels.push_back(MakePicture(kCellWidth, kCellHeight, Rule(100 + n)));
    }
    figure.m_animationFrames = static_cast<std::uint16_t>(frames);
  }

  bool DrawFrame() {
    std::fill(host.begin(), host.end(), static_cast<char>(0x33));
    return figure.Draw(host.data());
  }
  Bgra At(int x, int y) const {
    Bgra c{};
    std::memcpy(&c, host.data() + (static_cast<std::size_t>(y) * kScreenWidth + x) * 4, 4);
    return c;
  }
  Bgra AtCell(int cellX, int cellY, int column, int row) const {
    return At(kZeroX + cellX * kCellWidth + column, kZeroY + cellY * kCellHeight + row);
  }

  CKaveloInternal board;
  KaveloFigure figure{&board};
  std::vector<char> host = std::vector<char>(kScreenWidth * kScreenHeight * 4);
};

}  // namespace

TEST(FrameSetUp, SetScreenTakesOnlyFramesItCanHold) {
  struct Case {
    int width, height, bits;
    bool ready;
    int storedWidth;  // 0: nothing was stored
  } cases[] = {
      {64, 48, 32, true, 64},
      {0, 48, 32, false, 0},
      {64, -1, 32, false, 0},
      {64, 48, 0, false, 0},
      {64, 48, -32, false, 0},
      {64, 48, 24, false, 0},  // only 32-bit frames are composed
      {64, 48, 16, false, 0},
      {100000, 100000, 32, false, 100000},
      {kavelo::platform::FrameSurface::kMaxSide + 1, 2, 32, false, kavelo::platform::FrameSurface::kMaxSide + 1},
  };
  for (const Case& c : cases) {
    CKaveloInternal board;
    KaveloFigure figure(&board);
    EXPECT_EQ(figure.SetScreen(c.width, c.height, 7, 9, c.bits), c.ready) << c.width << "x" << c.height;
    EXPECT_EQ(figure.m_ready, c.ready);
    EXPECT_EQ(figure.m_screenWidth, c.storedWidth);
    EXPECT_EQ(figure.m_pOlePicture != nullptr, c.storedWidth != 0);
    char buffer[4] = {1, 2, 3, 4};
    if (!c.ready) {
      EXPECT_FALSE(figure.Draw(buffer));
    }
  }
}

TEST_F(FrameTest, RefusedDrawsTouchNothing) {
  SetPictures(1, 0);
  SetCell(1, 1, 1, 0);
  CKaveloInternal otherBoard;
  KaveloFigure notSetUp(&otherBoard);
  KaveloFigure noBoard(nullptr);
  ASSERT_TRUE(noBoard.SetScreen(kScreenWidth, kScreenHeight, 0, 0, 32));
  struct Case {
    const char* what;
    KaveloFigure* figure;
    bool nullBuffer;
  } cases[] = {
      {"before SetScreen", &notSetUp, false},
      {"without a board", &noBoard, false},
      {"without a host buffer", &figure, true},
  };
  for (const Case& c : cases) {
    std::vector<char> buffer(host.size(), 0x33);
    EXPECT_FALSE(c.figure->Draw(c.nullBuffer ? nullptr : buffer.data())) << c.what;
    EXPECT_EQ(buffer, std::vector<char>(host.size(), 0x33)) << c.what;
  }
}

TEST_F(FrameTest, CellsShowTheirTileOrTrailFrameAndNothingElseIsCovered) {
  SetPictures(4, 3);
  figure.m_iconPixels[2] = KaveloPicture{};  // tile kind 3 has no picture
  struct Case {
    const char* what;
    int x, y, tile, trail;
    int shows;  // picture id, 0 for an uncovered cell
  } cases[] = {
      {"a tile in the ring's corner", 0, 0, 1, 0, 1},
      {"an interior tile", 1, 1, 2, 0, 2},
      {"a fresh trail over a tile shows the first frame", 2, 1, 4, 3, 101},
      {"a trail on its last tick shows the last frame", 3, 1, 0, 1, 103},
      {"a trail in the middle", 1, 2, 0, 2, 102},
      {"a trail in the ring", 4, 0, 0, 3, 101},
      {"a counter above the frame count shows the tile", 2, 2, 1, 4, 1},
      {"a negative counter shows the tile", 3, 2, 2, -1, 2},
      {"a kind without a picture", 1, 3, 3, 0, 0},
      {"a kind beyond the pictures", 2, 3, 5, 0, 0},
      {"an empty cell", 3, 3, 0, 0, 0},
  };
  // A frame with every cell covered first: the next one must not keep any of it.
  for (int cell = 0; cell < 5 * 4; ++cell) SetCell(cell % 5, cell / 5, 1, 2);
  ASSERT_TRUE(DrawFrame());
  for (int cell = 0; cell < 5 * 4; ++cell) SetCell(cell % 5, cell / 5, 0, 0);
  for (const Case& c : cases) SetCell(c.x, c.y, c.tile, c.trail);
  ASSERT_TRUE(DrawFrame());

  std::vector<bool> inCell(host.size() / 4, false);
  for (const Case& c : cases) {
    for (int row = 0; row < kCellHeight; ++row) {
      for (int column = 0; column < kCellWidth; ++column) {
        const Bgra expected = c.shows != 0 ? Value(c.shows, column, row) : kZero;
        ASSERT_EQ(AtCell(c.x, c.y, column, row), expected) << c.what << " at " << column << "," << row;
        inCell[(kZeroY + c.y * kCellHeight + row) * kScreenWidth + kZeroX + c.x * kCellWidth + column] = true;
      }
    }
  }
  for (int y = 0; y < kScreenHeight; ++y) {
    for (int x = 0; x < kScreenWidth; ++x) {
      if (!inCell[y * kScreenWidth + x]) {
        ASSERT_EQ(At(x, y), kZero) << "uncovered pixel " << x << "," << y;
      }
    }
  }
}

TEST_F(FrameTest, PicturesOfOtherSizesAreCutToTheirCellFromTheirTopLeft) {
  figure.m_iconPixels.push_back(MakePicture(7, 5, Rule(1)));  // larger than a cell
  figure.m_iconPixels.push_back(MakePicture(2, 2, Rule(2)));  // smaller
  figure.m_animationPixels.push_back(MakePicture(3, 2, Rule(101)));
  figure.m_iconCount = 2;
  figure.m_animationFrames = 1;
  SetCell(1, 1, 1, 0);
  SetCell(2, 1, 2, 0);
  SetCell(1, 2, 2, 1);  // a small trail frame over a small tile
  SetCell(2, 2, 1, 0);
  // A first frame all white, from a time bar as large as the frame and all used up.
  figure.m_timeBarWidth = kScreenWidth;
  figure.m_timeBarHeight = kScreenHeight;
  board.m_timeLimit = 1;
  board.m_elapsed = 1;
  ASSERT_TRUE(DrawFrame());
  board.m_timeLimit = 0;
  ASSERT_TRUE(DrawFrame());
  struct Case {
    const char* what;
    int cellX, cellY, column, row;
    Bgra expected;
  } cases[] = {
      {"large tile, top-left", 1, 1, 0, 0, Value(1, 0, 0)},
      {"large tile, cell's bottom-right", 1, 1, 3, 2, Value(1, 3, 2)},
      {"large tile does not reach the next cell", 2, 1, 0, 0, Value(2, 0, 0)},
      {"large tile does not reach the cell below", 1, 2, 0, 0, Value(101, 0, 0)},
      {"small tile, its bottom-right", 2, 1, 1, 1, Value(2, 1, 1)},
      {"small tile leaves the rest black", 2, 1, 2, 0, kZero},
      {"small tile leaves the last row black", 2, 1, 0, 2, kZero},
      {"small trail frame", 1, 2, 2, 1, Value(101, 2, 1)},
      {"small trail frame leaves the tile below visible", 1, 2, 1, 2, kZero},
      {"tile under a small trail frame is not covered at its edge", 1, 2, 3, 0, kZero},
      {"large tile in the next row", 2, 2, 3, 2, Value(1, 3, 2)},
  };
  for (const Case& c : cases) EXPECT_EQ(AtCell(c.cellX, c.cellY, c.column, c.row), c.expected) << c.what;
}

TEST_F(FrameTest, TimeBarShowsThePictureOverTheRemainingShareAndWhiteOverTheRest) {
  constexpr int kBarX = 12;
  constexpr int kBarY = 20;
  struct Case {
    const char* what;
    std::uint32_t limit, elapsed;
    int width;
    bool picture;
    int whiteFrom, whiteTo;  // frame columns [from, to) painted white; from == to for none
  } cases[] = {
      {"a quarter used", 60, 15, 20, true, kBarX + 15, kBarX + 20},
      {"R truncated toward zero", 7, 1, 10, true, kBarX + 8, kBarX + 10},
      {"nothing used", 60, 0, 20, true, 0, 0},
      {"all used", 60, 60, 20, true, kBarX, kBarX + 20},
      {"more than all used reaches left of the bar", 10, 15, 20, true, kBarX - 10, kBarX + 20},
      {"far more than the limit is cut at the frame's edge", 1, 100, 20, true, 0, kBarX + 20},
      {"no limit paints no white", 0, 30, 20, true, 0, 0},
      {"a limit beyond 31 bits", 3000000000u, 1000000000u, 21, true, kBarX + 14, kBarX + 21},
      {"without a picture no white", 60, 30, 0, false, 0, 0},
      {"a bar wider than the frame", 4, 3, 40, true, kBarX + 10, kScreenWidth},
  };
  for (const Case& c : cases) {
    figure.m_timeBarPixels = c.picture ? MakePicture(c.width, 2, Rule(9)) : KaveloPicture{};
    figure.m_timeBarWidth = c.width;
    figure.m_timeBarHeight = c.picture ? 2 : 0;
    figure.m_timeBarX = kBarX;
    figure.m_timeBarY = kBarY;
    board.m_timeLimit = c.limit;
    board.m_elapsed = c.elapsed;
    ASSERT_TRUE(DrawFrame());
    for (int y = kBarY - 1; y <= kBarY + 2; ++y) {
      for (int x = 0; x < kScreenWidth; ++x) {
        Bgra expected = kZero;
        const bool onBar = y >= kBarY && y < kBarY + 2;
        if (onBar && x >= c.whiteFrom && x < c.whiteTo) {
          expected = kWhite;
        } else if (onBar && c.picture && x >= kBarX && x < kBarX + c.width) {
          expected = Value(9, x - kBarX, y - kBarY);
        }
        ASSERT_EQ(At(x, y), expected) << c.what << " at " << x << "," << y;
      }
    }
  }
}

TEST_F(FrameTest, SelectionMarkIsDrawnUprightWithPureBlackTransparentAndCut) {
  // The mark: pure black (with an alpha of its own) on a diagonal pattern, coloured elsewhere.
  const auto markRule = [](int column, int row) {
    return (column + row) % 2 == 0 ? Bgra{0, 0, 0, 0x44} : Value(77, column, row);
  };
  struct Case {
    const char* what;
    int zeroX, zeroY, selX, selY, markWidth, markHeight;
    bool drawn;
  } cases[] = {
      {"inside", kZeroX, kZeroY, 1, 1, kCellWidth, kCellHeight, true},
      {"no column selected", kZeroX, kZeroY, -1, 1, kCellWidth, kCellHeight, false},
      {"no row selected", kZeroX, kZeroY, 1, -1, kCellWidth, kCellHeight, false},
      {"over the right edge", kScreenWidth - 6, kZeroY, 1, 1, kCellWidth, kCellHeight, true},
      {"over the top edge", kZeroX, -4, 1, 1, kCellWidth, kCellHeight, true},
      {"over the bottom-right corner", kScreenWidth - 2, kScreenHeight - 2, 0, 0, kCellWidth, kCellHeight, true},
      {"a larger mark stays in its cell", kZeroX, kZeroY, 2, 1, 9, 7, true},
      {"a smaller mark", kZeroX, kZeroY, 2, 2, 2, 1, true},
  };
  SetPictures(1, 0);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) SetCell(x, y, 1, 0);
  }
  for (const Case& c : cases) {
    figure.m_zeroX = c.zeroX;
    figure.m_zeroY = c.zeroY;
    figure.m_choosePixels = KaveloPicture{};
    board.m_selX = 1;
    board.m_selY = 1;
    ASSERT_TRUE(DrawFrame());  // the tiles without a mark
    const std::vector<char> unmarked = host;

    figure.m_choosePixels = MakePicture(c.markWidth, c.markHeight, markRule);
    board.m_selX = static_cast<std::int16_t>(c.selX);
    board.m_selY = static_cast<std::int16_t>(c.selY);
    ASSERT_TRUE(DrawFrame());
    const int left = c.zeroX + c.selX * kCellWidth;
    const int top = c.zeroY + c.selY * kCellHeight;
    int markPixels = 0;
    for (int y = 0; y < kScreenHeight; ++y) {
      for (int x = 0; x < kScreenWidth; ++x) {
        const int column = x - left;
        const int row = y - top;
        const bool inMark = c.drawn && column >= 0 && row >= 0 && column < std::min(kCellWidth, c.markWidth) &&
                            row < std::min(kCellHeight, c.markHeight);
        Bgra expected{};
        std::memcpy(&expected, unmarked.data() + (static_cast<std::size_t>(y) * kScreenWidth + x) * 4, 4);
        if (inMark && (column + row) % 2 != 0) {
          expected = Value(77, column, row);
          ++markPixels;
        }
        ASSERT_EQ(At(x, y), expected) << c.what << " at " << x << "," << y;
      }
    }
    if (c.drawn) {
      EXPECT_GT(markPixels, 0) << c.what;
    }
  }
}
