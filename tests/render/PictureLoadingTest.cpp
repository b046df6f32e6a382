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
      EXPECT_TRUE(f->m_iconCount == 0 && f->m_animationFrames == 0 && f->m_pictureWidth == 0) << c.what;
      EXPECT_FALSE(f->m_choosePixels.Present() || f->m_timeBarPixels.Present()) << c.what;
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

TEST_F(LoadTest, EachSuccessfulLoadSetsItsSizesAndAFailedOneKeepsThePrevious) {
  WriteBmp(File("tile1.bmp"), 4, 3, Shade(1));
  WriteBmp(File("tile2.bmp"), 7, 2, Shade(2));
  WriteBmp(File("tile3.bmp"), 3, 6, Shade(3));
  WriteSeries("trail", 2, 5, 5);
  WriteBmp(File("mark1.bmp"), 8, 6, Shade(4));
  WriteBmp(File("bar1.bmp"), 30, 4, Shade(5));
  WriteBmp(File("bar2.bmp"), 12, 3, Shade(6));
  WriteBmp(File("broken.bmp"), 1, 1, Shade(7));
  std::filesystem::resize_file(File("broken.bmp"), 10);
  const auto icons = [&] { return figure.LoadIcons(3, File("tile").c_str(), ".bmp"); };
  const auto trail = [&] { return figure.LoadAnimation(2, File("trail").c_str(), ".bmp"); };
  const auto mark = [&](const char* name) { return [&, name] { return figure.LoadChoose(File(name).c_str()); }; };
  const auto bar = [&](const char* name, int x) {
    return [&, name, x] { return figure.LoadTimeBar(File(name).c_str(), x, x + 1); };
  };
  const struct {
    const char* what;
    std::function<bool()> load;
    bool loads;
    int cellWidth, cellHeight, markShade, barX, barWidth, barShade;
  } steps[] = {
      {"tiles of mixed sizes: the last one's", icons, true, 3, 6, 0, 0, 0, 0},
      {"trail frames", trail, true, 5, 5, 0, 0, 0, 0},
      {"a time bar has a size of its own", bar("bar1.bmp", 5), true, 5, 5, 0, 5, 30, 5},
      {"a missing time bar", bar("absent.bmp", 9), false, 5, 5, 0, 5, 30, 5},
      {"a broken time bar", bar("broken.bmp", 9), false, 5, 5, 0, 5, 30, 5},
      {"a second time bar moves it", bar("bar2.bmp", 7), true, 5, 5, 0, 7, 12, 6},
      {"a mark of another size", mark("mark1.bmp"), true, 8, 6, 4, 7, 12, 6},
      {"a broken mark", mark("broken.bmp"), false, 8, 6, 4, 7, 12, 6},
  };
  for (const auto& s : steps) {
    EXPECT_EQ(s.load(), s.loads) << s.what;
    EXPECT_EQ(figure.m_pictureWidth, s.cellWidth) << s.what;
    EXPECT_EQ(figure.m_pictureHeight, s.cellHeight) << s.what;
    EXPECT_EQ(figure.m_choosePixels.Present() ? PictureAt(figure.m_choosePixels, 0, 0).r : 0, s.markShade * 10) << s.what;
    EXPECT_EQ(figure.m_timeBarX, s.barX) << s.what;
    EXPECT_EQ(figure.m_timeBarY, s.barX == 0 ? 0 : s.barX + 1) << s.what;
    EXPECT_EQ(figure.m_timeBarWidth, s.barWidth) << s.what;
    EXPECT_EQ(figure.m_timeBarPixels.Present() ? PictureAt(figure.m_timeBarPixels, 0, 0).r : 0, s.barShade * 10) << s.what;
  }
  // Every picture keeps its own size, whatever the cell size.
  EXPECT_EQ(figure.m_iconPixels[1].width, 7);
  EXPECT_EQ(figure.m_iconPixels[1].height, 2);
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
