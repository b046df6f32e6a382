#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "RenderTestFiles.h"
#include "logic/KaveloInternal.h"
#include "render/KaveloFigure.h"

namespace {

constexpr Bgra kRed{0, 0, 200, 255};

PixelRule Shade(int n) { return Uniform({0, static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n * 10), 0}); }

class LoadTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(figure.SetScreen(40, 30, 0, 0, 32)); }

  std::string File(const std::string& name) const { return folder.Path() + "/" + name; }
  // Writes stem1 .. stemN (.bmp), member n of size width x height in shade n.
  void WriteSeries(const std::string& stem, int count, int width, int height) {
    for (int n = 1; n <= count; ++n) WriteBmp(File(stem + std::to_string(n) + ".bmp"), width, height, Shade(n));
  }

  TempFolder folder;
  CKaveloInternal board;
  KaveloFigure figure{&board};
};

}  // namespace

TEST_F(LoadTest, LoadsRefuseARendererNotSetUpAndNullTexts) {
  WriteSeries("tile", 1, 4, 3);
  const std::string stem = File("tile");
  const std::string one = File("tile1.bmp");
  KaveloFigure notSetUp(&board);
  struct Case {
    const char* what;
    std::function<bool()> load;
  } cases[] = {
      {"icons before SetScreen", [&] { return notSetUp.LoadIcons(1, stem.c_str(), ".bmp"); }},
      {"animation before SetScreen", [&] { return notSetUp.LoadAnimation(1, stem.c_str(), ".bmp"); }},
      {"mark before SetScreen", [&] { return notSetUp.LoadChoose(one.c_str()); }},
      {"time bar before SetScreen", [&] { return notSetUp.LoadTimeBar(one.c_str(), 1, 1); }},
      {"icons without a path", [&] { return figure.LoadIcons(1, nullptr, ".bmp"); }},
      {"icons without a type", [&] { return figure.LoadIcons(1, stem.c_str(), nullptr); }},
      {"animation without a path", [&] { return figure.LoadAnimation(1, nullptr, ".bmp"); }},
      {"animation without a type", [&] { return figure.LoadAnimation(1, stem.c_str(), nullptr); }},
      {"mark without a path", [&] { return figure.LoadChoose(nullptr); }},
      {"time bar without a path", [&] { return figure.LoadTimeBar(nullptr, 1, 1); }},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(c.load()) << c.what;
    for (const KaveloFigure* f : {&notSetUp, &figure}) {
      EXPECT_EQ(f->m_iconCount, 0) << c.what;
      EXPECT_EQ(f->m_animationFrames, 0) << c.what;
      EXPECT_TRUE(f->m_iconPixels.empty()) << c.what;
      EXPECT_FALSE(f->m_choosePixels.Present()) << c.what;
      EXPECT_FALSE(f->m_timeBarPixels.Present()) << c.what;
      EXPECT_EQ(f->m_timeBarX, 0) << c.what;
      EXPECT_EQ(f->m_pictureWidth, 0) << c.what;
    }
  }
}

TEST_F(LoadTest, SeriesMembersAreNumberedWithoutLeadingZeros) {
  WriteSeries("tile", 12, 4, 3);
  ASSERT_TRUE(figure.LoadIcons(12, File("tile").c_str(), ".bmp"));
  ASSERT_EQ(figure.m_iconCount, 12);
  ASSERT_EQ(figure.m_iconPixels.size(), 12u);
  for (int kind = 1; kind <= 12; ++kind) {
    const KaveloPicture& icon = figure.m_iconPixels[kind - 1];
    ASSERT_TRUE(icon.Present()) << kind;
    EXPECT_EQ(PictureAt(icon, 0, 0).r, kind * 10) << "tile kind " << kind << " shows its own file";
  }
  WriteSeries("trail", 3, 4, 3);
  ASSERT_TRUE(figure.LoadAnimation(3, File("trail").c_str(), ".bmp"));
  ASSERT_EQ(figure.m_animationPixels.size(), 3u);
  EXPECT_EQ(PictureAt(figure.m_animationPixels[0], 0, 0).r, 10) << "the first frame is member 1";
  EXPECT_EQ(PictureAt(figure.m_animationPixels[2], 0, 0).r, 30);
}

TEST_F(LoadTest, SeriesStopsAtItsFirstMissingMember) {
  WriteSeries("tile", 12, 4, 3);
  ASSERT_TRUE(std::filesystem::remove(File("tile5.bmp")));
  WriteBmp(File("tile1.bmp"), 4, 3, Uniform({0, 0, 0, 0}));  // pure black
  EXPECT_FALSE(figure.LoadIcons(12, File("tile").c_str(), ".bmp"));
  EXPECT_EQ(figure.m_iconCount, 12);
  ASSERT_EQ(figure.m_iconPixels.size(), 12u);
  for (int entry = 0; entry < 12; ++entry) EXPECT_EQ(figure.m_iconPixels[entry].Present(), entry < 4) << entry;
  // The key-colour pass runs only after a whole series: the black picture keeps its alpha.
  EXPECT_EQ(PictureAt(figure.m_iconPixels[0], 0, 0), (Bgra{0, 0, 0, 255}));
  EXPECT_EQ(figure.m_pictureWidth, 4);
}

TEST_F(LoadTest, AnimationOfNoFramesReadsNothingAndDrawsNoTrail) {
  ASSERT_TRUE(figure.LoadAnimation(0, File("absent").c_str(), ".bmp"));
  EXPECT_EQ(figure.m_animationFrames, 0);
  EXPECT_TRUE(figure.m_animationPixels.empty());
  board.m_width = 3;
  board.m_height = 3;
  board.m_tiles = std::make_unique<std::uint8_t[]>(9);
  board.m_trail = std::make_unique<std::int8_t[]>(9);
  for (int cell = 0; cell < 9; ++cell) board.m_trail[cell] = static_cast<std::int8_t>(cell - 4);
  figure.m_pictureWidth = 4;
  figure.m_pictureHeight = 3;
  std::vector<char> host(40 * 30 * 4, 0x11);
  ASSERT_TRUE(figure.Draw(host.data()));
  EXPECT_EQ(host, std::vector<char>(host.size(), 0));
}

TEST_F(LoadTest, KeyColoursDependOnWhatThePictureIsFor) {
  // Column 0: pure black with alpha 0x44; 1: pure black, opaque; 2: blue 1 only;
  // 3: red at half alpha (delivered as a darker red with alpha 0x80).
  const PixelRule rule = [](int column, int) {
    const Bgra columns[] = {{0, 0, 0, 0x44}, {0, 0, 0, 255}, {1, 0, 0, 255}, {0, 0, 250, 0x80}};
    return columns[column];
  };
  for (const char* name : {"tile1.png", "trail1.png", "mark.png", "bar.png"}) WritePng(File(name), 4, 1, rule);
  ASSERT_TRUE(figure.LoadIcons(1, File("tile").c_str(), ".png"));
  ASSERT_TRUE(figure.LoadAnimation(1, File("trail").c_str(), ".png"));
  ASSERT_TRUE(figure.LoadChoose(File("mark.png").c_str()));
  ASSERT_TRUE(figure.LoadTimeBar(File("bar.png").c_str(), 0, 0));
  struct Case {
    const char* what;
    const KaveloPicture& picture;
    std::uint8_t alpha[4];
  } cases[] = {
      {"tile", figure.m_iconPixels[0], {0, 0, 255, 255}},
      {"trail frame", figure.m_animationPixels[0], {0x44, 255, 255, 0x80}},
      {"selection mark", figure.m_choosePixels, {0x44, 255, 255, 255}},
      {"time bar", figure.m_timeBarPixels, {0x44, 255, 255, 255}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(c.picture.Present()) << c.what;
    for (int column = 0; column < 4; ++column) {
      EXPECT_EQ(PictureAt(c.picture, column, 0).a, c.alpha[column]) << c.what << ", column " << column;
    }
    EXPECT_EQ(PictureAt(c.picture, 2, 0).b, 1) << c.what << ": colours are kept";
  }
}

TEST_F(LoadTest, LoadedPicturesReachTheHostWithTheirKeyColours) {
  // A red tile with a pure black top-left pixel; a mark whose top row is green and whose
  // other rows are pure black; a time bar with one pure black pixel of alpha 0x44.
  WriteBmp(File("tile1.bmp"), 4, 3, [](int column, int row) { return column + row == 0 ? Bgra{} : kRed; });
  WriteBmp(File("mark.bmp"), 4, 3, [](int, int row) { return row == 0 ? Bgra{0, 200, 0, 0} : Bgra{}; });
  WritePng(File("bar.png"), 2, 1, [](int column, int) { return column == 0 ? Bgra{0, 0, 0, 0x44} : kRed; });
  ASSERT_TRUE(figure.LoadIcons(1, File("tile").c_str(), ".bmp"));
  ASSERT_TRUE(figure.LoadAnimation(0, "", ""));
  ASSERT_TRUE(figure.LoadChoose(File("mark.bmp").c_str()));
  ASSERT_TRUE(figure.LoadTimeBar(File("bar.png").c_str(), 30, 0));
  board.m_width = 2;
  board.m_height = 2;
  board.m_tiles = std::make_unique<std::uint8_t[]>(4);
  board.m_trail = std::make_unique<std::int8_t[]>(4);
  board.m_tiles[0] = 1;
  board.m_tiles[3] = 1;
  board.m_selX = 1;
  board.m_selY = 1;
  std::vector<char> host(40 * 30 * 4);
  ASSERT_TRUE(figure.Draw(host.data()));
  const auto at = [&](int x, int y) {
    Bgra c{};
    std::memcpy(&c, host.data() + (y * 40 + x) * 4, 4);
    return c;
  };
  struct Case {
    const char* what;
    int x, y;
    Bgra expected;
  } cases[] = {
      {"a tile's black pixel is drawn transparent-black", 0, 0, {0, 0, 0, 0}},
      {"a tile's colour is drawn opaque", 1, 0, kRed},
      {"the mark's top row lands at the top of the cell", 5, 3, {0, 200, 0, 255}},
      {"the mark's black shows the tile below", 5, 4, kRed},
      {"the mark's black shows the tile's own black below", 4, 4, kRed},
      {"an empty cell stays zero", 4, 0, {0, 0, 0, 0}},
      {"the bar's black keeps its alpha", 30, 0, {0, 0, 0, 0x44}},
      {"the bar's colour is opaque", 31, 0, kRed},
  };
  for (const Case& c : cases) EXPECT_EQ(at(c.x, c.y), c.expected) << c.what;
}

TEST_F(LoadTest, TheLastCellPictureLoadedSetsTheCellSize) {
  WriteBmp(File("tile1.bmp"), 4, 3, Shade(1));
  WriteBmp(File("tile2.bmp"), 7, 2, Shade(2));
  WriteBmp(File("tile3.bmp"), 3, 6, Shade(3));
  WriteSeries("trail", 2, 5, 5);
  WriteBmp(File("mark.bmp"), 8, 6, Uniform(kRed));
  WriteBmp(File("bar.bmp"), 30, 4, Uniform(kRed));
  struct Step {
    const char* what;
    std::function<bool()> load;
    bool loads;
    int cellWidth, cellHeight;
  } steps[] = {
      {"tiles of mixed sizes", [&] { return figure.LoadIcons(3, File("tile").c_str(), ".bmp"); }, true, 3, 6},
      {"trail frames", [&] { return figure.LoadAnimation(2, File("trail").c_str(), ".bmp"); }, true, 5, 5},
      {"a time bar has a size of its own", [&] { return figure.LoadTimeBar(File("bar.bmp").c_str(), 1, 2); }, true, 5, 5},
      {"a mark of another size", [&] { return figure.LoadChoose(File("mark.bmp").c_str()); }, true, 8, 6},
      {"a failed mark", [&] { return figure.LoadChoose(File("absent.bmp").c_str()); }, false, 8, 6},
  };
  for (const Step& s : steps) {
    EXPECT_EQ(s.load(), s.loads) << s.what;
    EXPECT_EQ(figure.m_pictureWidth, s.cellWidth) << s.what;
    EXPECT_EQ(figure.m_pictureHeight, s.cellHeight) << s.what;
  }
  // Every picture keeps its own size, whatever the cell size.
  EXPECT_EQ(figure.m_iconPixels[1].width, 7);
  EXPECT_EQ(figure.m_iconPixels[1].height, 2);
  EXPECT_EQ(figure.m_choosePixels.width, 8);
  EXPECT_EQ(figure.m_timeBarWidth, 30);
  EXPECT_EQ(figure.m_timeBarHeight, 4);
}

TEST_F(LoadTest, OnlyASuccessfulTimeBarOrMarkReplacesTheLastOne) {
  WriteBmp(File("bar1.bmp"), 10, 2, Shade(1));
  WriteBmp(File("bar2.bmp"), 12, 3, Shade(2));
  WriteBmp(File("mark.bmp"), 4, 3, Shade(3));
  WriteBmp(File("broken.bmp"), 0, 0, Shade(4));
  std::filesystem::resize_file(File("broken.bmp"), 10);
  struct Step {
    const char* what;
    std::function<bool()> load;
    bool loads;
    int barX, barY, barWidth, barShade, markShade;
  } steps[] = {
      {"a first bar", [&] { return figure.LoadTimeBar(File("bar1.bmp").c_str(), 5, 6); }, true, 5, 6, 10, 1, 0},
      {"a missing bar", [&] { return figure.LoadTimeBar(File("absent.bmp").c_str(), 9, 9); }, false, 5, 6, 10, 1, 0},
      {"a broken bar", [&] { return figure.LoadTimeBar(File("broken.bmp").c_str(), 9, 9); }, false, 5, 6, 10, 1, 0},
      {"a second bar moves it", [&] { return figure.LoadTimeBar(File("bar2.bmp").c_str(), 7, 8); }, true, 7, 8, 12, 2, 0},
      {"a mark", [&] { return figure.LoadChoose(File("mark.bmp").c_str()); }, true, 7, 8, 12, 2, 3},
      {"a broken mark", [&] { return figure.LoadChoose(File("broken.bmp").c_str()); }, false, 7, 8, 12, 2, 3},
  };
  for (const Step& s : steps) {
    EXPECT_EQ(s.load(), s.loads) << s.what;
    EXPECT_EQ(figure.m_timeBarX, s.barX) << s.what;
    EXPECT_EQ(figure.m_timeBarY, s.barY) << s.what;
    EXPECT_EQ(figure.m_timeBarWidth, s.barWidth) << s.what;
    ASSERT_TRUE(figure.m_timeBarPixels.Present()) << s.what;
    EXPECT_EQ(PictureAt(figure.m_timeBarPixels, 0, 0).r, s.barShade * 10) << s.what;
    EXPECT_EQ(figure.m_choosePixels.Present(), s.markShade != 0) << s.what;
    if (s.markShade != 0) {
      EXPECT_EQ(PictureAt(figure.m_choosePixels, 0, 0).r, s.markShade * 10) << s.what;
    }
  }
}

TEST_F(LoadTest, FileNamesLongerThan255CharactersAreRefused) {
  // A stem whose members 1 to 9 make names of exactly 255 characters; member 10 is one more.
  const std::string prefix = folder.Path() + "/";
  const std::string stem = prefix + std::string(255 - 5 - prefix.size(), 's');
  ASSERT_EQ((stem + "9.bmp").size(), 255u);
  for (int n = 1; n <= 10; ++n) WriteBmp(stem + std::to_string(n) + ".bmp", 2, 2, Shade(n));
  const std::string exactly255 = stem + "1.bmp";
  const std::string longer = stem + "10.bmp";
  ASSERT_TRUE(std::filesystem::exists(longer));
  struct Case {
    const char* what;
    std::function<bool()> load;
    bool loads;
  } cases[] = {
      {"a series up to 255 characters", [&] { return figure.LoadIcons(9, stem.c_str(), ".bmp"); }, true},
      {"a series reaching 256 characters", [&] { return figure.LoadIcons(10, stem.c_str(), ".bmp"); }, false},
      {"a mark of 255 characters", [&] { return figure.LoadChoose(exactly255.c_str()); }, true},
      {"a mark of 256 characters", [&] { return figure.LoadChoose(longer.c_str()); }, false},
      {"a time bar of 256 characters", [&] { return figure.LoadTimeBar(longer.c_str(), 0, 0); }, false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.load(), c.loads) << c.what;
  EXPECT_TRUE(figure.m_iconPixels[8].Present());
  EXPECT_FALSE(figure.m_iconPixels[9].Present());
}

TEST_F(LoadTest, NarrowPathsAreReadAsUtf8) {
  const std::string name = File("m\xC3\xA4rke-\xE2\x9C\x93.bmp");  // "märke-✓.bmp"
  WriteBmp(name, 3, 3, Shade(7));
  ASSERT_TRUE(figure.LoadChoose(name.c_str()));
  EXPECT_EQ(PictureAt(figure.m_choosePixels, 1, 1).r, 70);
}
