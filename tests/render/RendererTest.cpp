#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "logic/KaveloInternal.h"
#include "render/KaveloFigure.h"
#include "tests/logic/BoardBuilder.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/TestFiles.h"

using namespace kavelo::test;

namespace {

constexpr int kWidth = 216, kHeight = 24;  // the frame
constexpr int kZeroX = 2, kZeroY = 3, kCellW = 4, kCellH = 3;

// A colour with its alpha, in the byte order of pictures and frames.
struct Bgra {
  std::uint8_t b, g, r, a;
  bool operator==(const Bgra&) const = default;
};
constexpr Bgra kZero{0, 0, 0, 0};
using PixelRule = std::function<Bgra(int column, int row)>;  // by column and row from the top

// Pixel (column, row from the top) of picture `id`: a flipped or shifted copy shows.
Bgra Value(int id, int column, int row) {
  return {static_cast<std::uint8_t>(column), static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(id), 0x7F};
}
PixelRule Rule(int id) {
  return [id](int column, int row) { return Value(id, column, row); };
}

std::uint8_t* PixelOf(const KaveloPicture& picture, int column, int row) {  // stored bottom row first
  return picture.pixels.get() + (static_cast<std::size_t>(picture.height - 1 - row) * picture.width + column) * 4;
}
KaveloPicture MakePicture(int width, int height, const PixelRule& rule) {
  KaveloPicture picture{std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(width) * height * 4), width, height};
  for (int i = 0; i < width * height; ++i) {
    const Bgra c = rule(i % width, i / width);
    std::memcpy(PixelOf(picture, i % width, i / width), &c, 4);
  }
  return picture;
}
Bgra PictureAt(const KaveloPicture& picture, int column, int row) {
  Bgra c{};
  if (picture.Present()) std::memcpy(&c, PixelOf(picture, column, row), 4);
  return c;
}

// A PNG file with alpha. The loader composites over black: (b, g, r, a) arrives as
// (b, g, r) x a / 255 with alpha a.
void WritePng(const std::string& path, int width, int height, const PixelRule& rule) {
  TestPicture picture{width, height, {}};
  for (int i = 0; i < width * height; ++i) {
    const Bgra c = rule(i % width, i / width);
    picture.pixels.push_back({c.r, c.g, c.b, c.a});
  }
  ASSERT_TRUE(WriteFile(path, Encode(picture, Format::kPng)));
}

// A 5 x 4 board of empty cells on a kWidth x kHeight frame, cells kCellW x kCellH, and a
// folder for picture files.
class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(figure.SetScreen(kWidth, kHeight, kZeroX, kZeroY, 32));
    figure.m_pictureWidth = kCellW;
    figure.m_pictureHeight = kCellH;
    ASSERT_TRUE(board.InitBoard(5, 4, 255, 0));
  }

  void SetCell(int x, int y, int tile, int trail) {
    BoardTestAccess::Tiles(board)[y * 5 + x] = static_cast<std::uint8_t>(tile);
    BoardTestAccess::Trail(board)[y * 5 + x] = static_cast<std::int8_t>(trail);
  }
  // Draws over a stale frame of all ones; the number of pixels that differ from `expected`.
  int Mismatches(const std::function<Bgra(int x, int y)>& expected) {
    figure.m_frame.FillOnes(0, 0, kWidth, kHeight);
    EXPECT_FALSE(figure.Draw(nullptr));
    std::vector<char> host(kWidth * kHeight * 4);
    EXPECT_TRUE(figure.Draw(host.data()));
    int wrong = 0;
    for (int i = 0; i < kWidth * kHeight; ++i) {
      Bgra got{};
      std::memcpy(&got, &host[i * 4], 4);
      if (!(got == expected(i % kWidth, i / kWidth)) && wrong++ == 0) ADD_FAILURE() << "at " << i % kWidth << "," << i / kWidth;
    }
    return wrong;
  }
  // Writes stem1.png to stem<count>.png, member n a picture of red n x 10.
  static void WriteSeries(const std::string& stem, int count) {
    for (int n = 1; n <= count; ++n) {
      WritePng(stem + std::to_string(n) + ".png", 2, 2, [n](int, int) { return Bgra{0, 0, std::uint8_t(n * 10), 255}; });
    }
  }

  const ScratchFolder scratch{"render-test"};
  const std::string folder = scratch.Path("");
  CKaveloInternal board;
  KaveloFigure figure{&board};
};

}  // namespace

TEST(FrameSetUp, RefusedScreensDrawNothingAndSurfacesStayWithinTheirBudget) {
  const struct { int width, height, depth; bool made; } cases[] = {
      {0, 6, 32, false},          {8, -1, 32, false},         {8, 6, 24, false},         {16384, 4096, 32, true},
      {16384, 4097, 32, false},   {4097, 16384, 32, false},   {16384, 16384, 32, false},
  };
  for (const auto& c : cases) {
    CKaveloInternal board;
    KaveloFigure figure(&board);
    EXPECT_EQ(figure.SetScreen(c.width, c.height, 0, 0, c.depth), c.made) << c.width << "x" << c.height;
    EXPECT_EQ(figure.m_frame.Empty(), !c.made);
    if (c.made) continue;
    std::vector<char> host(8 * 6 * 4, 0x33);
    EXPECT_FALSE(figure.Draw(host.data()));
    EXPECT_EQ(host, std::vector<char>(host.size(), 0x33));
  }
}

TEST_F(RenderTest, CellsShowTheirTileUnderTheirTrailFrameCutToTheCellAndNothingElse) {
  // Tile kinds 1 to 4 (4 without a picture) and trail frames 1 to 3 as {id, width, height}:
  // of the cell's size, larger, narrower, shorter.
  const int pictures[][3] = {{1, 4, 3}, {2, 7, 5}, {3, 2, 5}, {4, 0, 0}, {101, 4, 3}, {102, 5, 2}, {103, 4, 3}};
  for (const auto& [id, width, height] : pictures) {
    (id < 100 ? figure.m_iconPixels : figure.m_animationPixels)
        .push_back(width ? MakePicture(width, height, Rule(id)) : KaveloPicture{});
  }
  figure.m_animationFrames = 3;
  const struct {
    int x, y, tile, trail, over, under;  // the ids of the pictures shown, 0 for none
  } cells[] = {
      {0, 0, 1, 0, 0, 1}, {1, 0, 2, 0, 0, 2}, {3, 0, 3, 0, 0, 3}, {4, 0, 4, 0, 0, 0}, {0, 1, 5, 0, 0, 0},
      {1, 1, 2, 3, 101, 2},  // a fresh trail shows the first frame
      {2, 1, 1, 1, 103, 1},  // on its last tick, the last
      {3, 1, 2, 2, 102, 2}, {4, 1, 3, 2, 102, 3}, {1, 2, 0, 2, 102, 0},
      {0, 2, 1, 4, 0, 1},  // a counter above the frame count shows no trail
  };
  for (const auto& c : cells) SetCell(c.x, c.y, c.tile, c.trail);
  EXPECT_EQ(Mismatches([&](int x, int y) {
              for (const auto& c : cells) {
                const int column = x - kZeroX - c.x * kCellW, row = y - kZeroY - c.y * kCellH;
                if (column < 0 || row < 0 || column >= kCellW || row >= kCellH) continue;
                for (int shown : {c.over, c.under}) {
                  for (const auto& [id, width, height] : pictures) {
                    if (id == shown && column < width && row < height) return Value(id, column, row);
                  }
                }
              }
              return kZero;
            }),
            0);
}

TEST_F(RenderTest, TimeBarShowsThePictureOverTheRemainingShareAndWhiteOverTheRest) {
  constexpr int kBarX = 12, kBarY = 20;
  const struct {
    std::uint32_t limit, elapsed;
    int width, whiteFrom;  // the first white column, counted from the bar's left
  } cases[] = {{60, 15, 200, 150}, {7, 1, 100, 85},   {60, 0, 200, 200},
               {60, 60, 200, 0},   {10, 15, 20, -10}, {0, 30, 200, 200},
               {3000000000u, 1000000000u, 21, 14}};
  for (const auto& c : cases) {
    figure.m_timeBarPixels = MakePicture(c.width, 2, Rule(9));
    figure.m_timeBarWidth = c.width;
    figure.m_timeBarHeight = 2;
    figure.m_timeBarX = kBarX;
    figure.m_timeBarY = kBarY;
    board.SetTimeLimit(c.limit);
    BoardTestAccess::SetElapsed(board, c.elapsed);
    EXPECT_EQ(Mismatches([&](int x, int y) {
                const int column = x - kBarX;
                if (y < kBarY || y >= kBarY + 2 || column < std::min(c.whiteFrom, 0) || column >= c.width) return kZero;
                return column >= c.whiteFrom ? Bgra{255, 255, 255, 255} : Value(9, column, y - kBarY);
              }),
              0)
        << c.limit << ", " << c.elapsed;
  }
}

TEST_F(RenderTest, SelectionMarkIsDrawnUprightWithPureBlackTransparentAndCut) {
  figure.m_iconPixels.push_back(MakePicture(kCellW, kCellH, Rule(1)));
  for (int cell = 0; cell < 20; ++cell) SetCell(cell % 5, cell / 5, 1, 0);
  const struct {
    int zeroX, zeroY, selX, selY, markW, markH;
  } cases[] = {
      {kZeroX, kZeroY, 1, 1, 4, 3}, {kZeroX, kZeroY, -1, 1, 4, 3}, {kWidth - 2, kHeight - 2, 0, 0, 4, 3},
      {-2, -1, 0, 0, 4, 3},         {kZeroX, kZeroY, 2, 1, 9, 7},  // a larger mark stays in its cell
  };
  for (const auto& c : cases) {
    // Pure black, with an alpha of its own, on a chequered pattern.
    figure.m_choosePixels = MakePicture(c.markW, c.markH, [](int column, int row) {
      return (column + row) % 2 ? Value(77, column, row) : Bgra{0, 0, 0, 0x44};
    });
    figure.m_zeroX = c.zeroX;
    figure.m_zeroY = c.zeroY;
    BoardTestAccess::Select(board, c.selX, c.selY);
    EXPECT_EQ(Mismatches([&](int x, int y) {
                const int boardX = x - c.zeroX, boardY = y - c.zeroY;
                const int column = boardX - c.selX * kCellW, row = boardY - c.selY * kCellH;
                if (c.selX >= 0 && column >= 0 && row >= 0 && column < std::min(kCellW, c.markW) &&
                    row < std::min(kCellH, c.markH) && (column + row) % 2) {
                  return Value(77, column, row);
                }
                const bool onBoard = boardX >= 0 && boardY >= 0 && boardX < 5 * kCellW && boardY < 4 * kCellH;
                return onBoard ? Value(1, boardX % kCellW, boardY % kCellH) : kZero;
              }),
              0)
        << c.zeroX << "," << c.zeroY << " cell " << c.selX << "," << c.selY;
  }
}

TEST_F(RenderTest, SeriesAreNumberedWithoutLeadingZerosAndStopAtTheFirstMissingMember) {
  WriteSeries(folder + "tile", 12);
  ASSERT_TRUE(figure.LoadIcons(12, (folder + "tile").c_str(), ".png"));
  for (int kind = 1; kind <= 12; ++kind) EXPECT_EQ(PictureAt(figure.m_iconPixels.at(kind - 1), 0, 0).r, kind * 10);
  std::filesystem::remove(folder + "tile5.png");
  EXPECT_FALSE(figure.LoadIcons(12, (folder + "tile").c_str(), ".png"));
  ASSERT_EQ(figure.m_iconPixels.size(), 12u);
  for (int entry = 0; entry < 12; ++entry) EXPECT_EQ(figure.m_iconPixels[entry].Present(), entry < 4) << entry;
}

TEST_F(RenderTest, FileNamesLongerThan255CharactersAreRefused) {
  // Members 1 to 9 of this series have names of 255 characters, member 10 one more.
  const std::string stem = folder + std::string(255 - 5 - folder.size(), 's');
  WriteSeries(stem, 10);
  EXPECT_FALSE(figure.LoadIcons(10, stem.c_str(), ".png"));
  EXPECT_TRUE(figure.m_iconPixels.at(8).Present());
  EXPECT_FALSE(figure.m_iconPixels.at(9).Present());
  EXPECT_TRUE(figure.LoadChoose((stem + "9.png").c_str()));
  EXPECT_FALSE(figure.LoadTimeBar((stem + "10.png").c_str(), 0, 0));
}

TEST_F(RenderTest, KeyColoursDependOnWhatThePictureIsFor) {
  // Pure black with alpha 0x44, pure black opaque, blue 1 only, red at half alpha.
  const Bgra columns[] = {{0, 0, 0, 0x44}, {0, 0, 0, 255}, {1, 0, 0, 255}, {0, 0, 250, 0x80}};
  for (const char* name : {"tile1.png", "trail1.png", "mark.png", "bar.png"}) {
    WritePng(folder + name, 4, 1, [&](int column, int) { return columns[column]; });
  }
  ASSERT_TRUE(figure.LoadIcons(1, (folder + "tile").c_str(), ".png"));
  ASSERT_TRUE(figure.LoadAnimation(1, (folder + "trail").c_str(), ".png"));
  ASSERT_TRUE(figure.LoadChoose((folder + "mark.png").c_str()));
  ASSERT_TRUE(figure.LoadTimeBar((folder + "bar.png").c_str(), 0, 0));
  const struct {
    const KaveloPicture& picture;
    std::uint8_t alpha[4];
  } cases[] = {{figure.m_iconPixels[0], {0, 0, 255, 255}},
               {figure.m_animationPixels[0], {0x44, 255, 255, 0x80}},  // trail frames as loaded
               {figure.m_choosePixels, {0x44, 255, 255, 255}},
               {figure.m_timeBarPixels, {0x44, 255, 255, 255}}};
  for (const auto& c : cases) {
    for (int i = 0; i < 4; ++i) EXPECT_EQ(PictureAt(c.picture, i, 0).a, c.alpha[i]) << &c - cases << ", " << i;
  }
}

TEST_F(RenderTest, AnimationOfNoFramesOpensNothingAndDrawsNoTrail) {
  WriteSeries(folder + "trail", 2);
  ASSERT_TRUE(figure.LoadAnimation(2, (folder + "trail").c_str(), ".png"));
  ASSERT_TRUE(figure.LoadAnimation(0, (folder + "absent").c_str(), ".png"));
  EXPECT_EQ(figure.m_animationFrames, 0);
  for (int cell = 0; cell < 20; ++cell) SetCell(cell % 5, cell / 5, 0, cell % 5 - 2);
  EXPECT_EQ(Mismatches([](int, int) { return kZero; }), 0);
}

TEST_F(RenderTest, PicturesStayWithinTheBudgetCheckedBeforeDecoding) {
  // Pictures of 2 x 2 take 16 bytes: 4 tiles 64, 3 trail frames 48, the 4 x 1 bar 16.
  WriteSeries(folder + "a", 4);
  WritePng(folder + "bar.png", 4, 1, [](int, int) { return Bgra{9, 9, 9, 255}; });
  // big1 is a good picture; big2 is a PNG cut after its header, which declares 8192 x 8192:
  // it can only be refused by that size, as it cannot be decoded.
  std::filesystem::copy_file(folder + "a1.png", folder + "big1.png");
  Bytes header = Encode(Gradient(2, 2), Format::kPng);
  header.resize(33);
  ASSERT_TRUE(WriteFile(folder + "big2.png", Patched(Patched(header, 16, 8192, 4, true), 20, 8192, 4, true)));

  enum Load { Icons, Trail, Bar, HeaderOnly };
  const auto load = [&](Load what) {
    switch (what) {
      case Icons: return figure.LoadIcons(4, (folder + "a").c_str(), ".png");
      case Trail: return figure.LoadAnimation(3, (folder + "a").c_str(), ".png");
      case Bar: return figure.LoadTimeBar((folder + "bar.png").c_str(), 0, 0);
      case HeaderOnly: return figure.LoadIcons(2, (folder + "big").c_str(), ".png");
    }
    return false;
  };
  const struct Case {
    const char* what;
    Load before, under_test;
    std::uint64_t budget;
    bool fits;
  } cases[] = {
      {"tiles after trail frames, at the edge", Trail, Icons, 48 + 64, true},
      {"tiles after trail frames, one byte over", Trail, Icons, 48 + 63, false},
      {"trail frames after tiles, at the edge", Icons, Trail, 64 + 48, true},
      {"trail frames after tiles, one byte over", Icons, Trail, 64 + 47, false},
      {"time bar after tiles, at the edge", Icons, Bar, 64 + 16, true},
      {"time bar after tiles, one byte over", Icons, Bar, 64 + 15, false},
      {"a declared 8192 x 8192 after a good member", Trail, HeaderOnly, 256u << 20, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(figure.SetScreen(kWidth, kHeight, kZeroX, kZeroY, 32));
    figure.m_iconPixels.clear();
    figure.m_animationPixels.clear();
    figure.m_timeBarPixels = KaveloPicture{};
    figure.m_pictureBudget = UINT64_MAX;
    ASSERT_TRUE(load(c.before));
    figure.m_pictureBudget = c.budget;
    EXPECT_EQ(load(c.under_test), c.fits);
    // A series refused for the budget has decoded none of its members, not even big1.
    const auto& series = c.under_test == Trail ? figure.m_animationPixels : figure.m_iconPixels;
    if (c.under_test == Bar) {
      EXPECT_EQ(figure.m_timeBarPixels.Present(), c.fits);
    } else {
      EXPECT_EQ(std::count_if(series.begin(), series.end(), [](auto& p) { return p.Present(); }),
                c.fits ? static_cast<long>(series.size()) : 0);
    }
  }
}
