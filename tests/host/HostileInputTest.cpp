// Hostile hosts, through the text protocol: every text gives a clear refusal or a sound
// result, and no frame is delivered outside the host's buffer, which carries guard bytes
// after its end.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "GameHost.h"
#include "image/GifDataCheck.h"

using namespace kavelo::test;

namespace {

constexpr int kCell = 8;
constexpr int kFrameWidth = 6 * kCell;  // the 6 x 5 board of the base set-up, exactly
constexpr int kFrameHeight = 5 * kCell;
constexpr int kTiles = 255;        // "c" may reach 255
constexpr int kTrailFrames = 300;  // "animationFrames" beyond 8 bits
constexpr std::size_t kGuardBytes = 256;
constexpr char kUnwritten = 0x5A;
constexpr char kGuard = static_cast<char>(0xA5);

using Bgra = std::array<std::uint8_t, 4>;
constexpr Bgra kBlack = {0, 0, 0, 0};
constexpr Bgra kRed = {0, 0, 255, 255};    // the selection mark
constexpr Bgra kGreen = {0, 200, 0, 255};  // the wide time bar
constexpr Bgra kWhite = {255, 255, 255, 255};

Bgra Tile(int kind) {
  const auto c = KindColour(kind);
  return {c.b, c.g, c.r, 255};
}

std::wstring Replaced(std::wstring text, const std::wstring& from, const std::wstring& to) {
  return text.replace(text.find(from), from.size(), to);
}

// A host buffer for a frame of width x height, followed by guard bytes.
class GuardedFrame {
 public:
  GuardedFrame(int width, int height)
      : m_width(width), m_frameBytes(static_cast<std::size_t>(width) * height * 4),
        m_bytes(m_frameBytes + kGuardBytes, kUnwritten) {
    std::fill(m_bytes.begin() + static_cast<std::ptrdiff_t>(m_frameBytes), m_bytes.end(), kGuard);
  }
  char* Data() { return m_bytes.data(); }
  bool GuardsIntact() const {
    return std::all_of(m_bytes.begin() + static_cast<std::ptrdiff_t>(m_frameBytes), m_bytes.end(),
                       [](char c) { return c == kGuard; });
  }
  bool Written() const {
    return std::any_of(m_bytes.begin(), m_bytes.begin() + static_cast<std::ptrdiff_t>(m_frameBytes),
                       [](char c) { return c != kUnwritten; });
  }
  Bgra Pixel(int x, int y) const {
    const char* p = &m_bytes[(static_cast<std::size_t>(y) * m_width + x) * 4];
    return {std::uint8_t(p[0]), std::uint8_t(p[1]), std::uint8_t(p[2]), std::uint8_t(p[3])};
  }

 private:
  int m_width;
  std::size_t m_frameBytes;
  std::vector<char> m_bytes;
};

class HostileInput : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    art = new ArtFolder(kTiles, kTrailFrames, kCell);
    WriteSolidBmp(art->Path("widebar.bmp"), 500, 4, 0, 200, 0);
    WriteSolidBmp(art->Path("shorttrail1.bmp"), kCell, kCell, 255, 255, 1);
    WriteSolidBmp(art->Path("shorttrail2.bmp"), 2, 3, 255, 255, 2);
    // Forty BMP headers that declare 8192 x 8192 and end there: one would be refused as
    // broken, but the series as a whole is refused first, by the memory it would take.
    for (int n = 1; n <= 40; ++n) {
      WriteSolidBmp(art->Path("huge" + std::to_string(n) + ".bmp"), 1, 1, 9, 9, 9);
      std::fstream file(art->Path("huge" + std::to_string(n) + ".bmp"), std::ios::in | std::ios::out | std::ios::binary);
      const char side[4] = {0, 0x20, 0, 0};  // 8192, little-endian
      file.seekp(18).write(side, 4).write(side, 4);
      file.close();
      std::filesystem::resize_file(art->Path("huge" + std::to_string(n) + ".bmp"), 54);
    }
  }
  static void TearDownTestSuite() {
    delete art;
    art = nullptr;
  }

  // The 6 x 5 board of 3 kinds dealt 4 times, packed and not shuffled: kind 1 on cells
  // (0,0) to (3,0), kind 2 on (4,0), (5,0), (0,1), (1,1). Pairs given before it win.
  std::wstring SetUpText(const std::string& before = "", int frames = 3) const {
    return W(before) + art->SetUp(6, 5, 3, 4, kFrameWidth, kFrameHeight, frames);
  }
  int SetUpOn(GuardedFrame& frame, const std::wstring& text) {
    host.AllocGdiData(frame.Data(), 0, 0, 0);
    return host.SetGameParam(text);
  }
  int Click(int x, int y) { return host.InputEvent(ClickText(x, y)); }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) ASSERT_EQ(host.InputEvent(EventText(KAVELO_EVENT_TICK)), 0);
  }

  static ArtFolder* art;
  SteppedClock clock;
  GameHost host;
};

ArtFolder* HostileInput::art = nullptr;

}  // namespace

TEST_F(HostileInput, SetUpTextsGiveARefusalOrAGameAndFramesOnlyInsideTheBuffer) {
  const std::string longDigits(600, '0');  // longer than the 512-byte value buffer
  const std::string dir = art->Path("");
  // A refusal before the frame geometry is taken leaves nothing to draw; a refusal at the
  // pictures leaves a renderer that draws what it has.
  enum Outcome { Game, Refused, RefusedButDrawn };
  struct Case {
    const char* what;
    std::wstring text;
    Outcome outcome;
    int bufferWidth = kFrameWidth, bufferHeight = kFrameHeight;
  } cases[] = {
      {"w 0", SetUpText("w,0;"), Refused},
      {"w 2 leaves no interior", SetUpText("w,2;"), Refused},
      {"w 300 keeps 44", SetUpText("w,300;"), Game},
      {"c 256 keeps no kind", SetUpText("c,256;"), Refused},
      {"c 257 keeps 1 kind but names 257 pictures", SetUpText("c,257;"), RefusedButDrawn},
      {"c and r 255 on the largest board", SetUpText("w,255;h,255;c,255;r,255;"), Game},
      {"w beyond 32 bits saturates to 255", SetUpText("w,4294967302;"), Game},
      {"screen 1 x 1", SetUpText("screenWidth,1;screenHeight,1;"), Game, 1, 1},
      {"screen one pixel wider than a surface", SetUpText("screenWidth,16385;screenHeight,1;"), Refused, 16385, 1},
      {"screen over the surfaces' budget", SetUpText("screenWidth,16384;screenHeight,4097;"), Refused},
      {"40 tiles declaring 8192 x 8192", SetUpText("c,40;iconPath," + dir + "huge;"), RefusedButDrawn},
      {"screenBits 24", SetUpText("screenBits,24;"), Refused},
      {"origin far left and above", SetUpText("zeroX,-100000;zeroY,-2147483648;"), Game},
      {"origin far right and below", SetUpText("zeroX,2147483647;zeroY,99999999999;"), Game},
      {"animationFrames 65535 with 300 files", SetUpText("animationFrames,65535;"), RefusedButDrawn},
      {"animationFrames 65536 keeps 0 frames", SetUpText("animationFrames,65536;"), Game},
      // Values longer than their buffers: the cut keeps only zeros, or a path or suffix
      // that names no file.
      {"r longer than its buffer deals nothing", SetUpText("r," + longDigits + "4;"), Game},
      {"param longer than its buffer", W("param," + longDigits + "1;") + SetUpText(), Refused},
      {"iconPath longer than its buffer", SetUpText("iconPath," + dir + std::string(600, 'x') + ";"), RefusedButDrawn},
      {"animationType one longer than its buffer", SetUpText("animationType,.bmp-and;"), RefusedButDrawn},
      // Broken texts.
      {"a key without its value", Replaced(SetUpText(), L"w,6;", L"w;"), Refused},
      {"no pair separators", L"param,1w,6h,5c,3r,4screenWidth,48", Refused},
      {"a NUL hides the keys after it", W("param,1;w,6;h,5") + L'\0' + SetUpText(), Refused},
      {"a surrogate in a number", W("w,6") + wchar_t(0xD800) + L";" + SetUpText(), Game},
      // Beyond U+10FFFF where wchar_t holds it, else a lone low surrogate.
      {"a character UTF-8 cannot carry in a path",
       W("iconPath,") + wchar_t(sizeof(wchar_t) == 4 ? 0x110000 : 0xDC00) + L";" + SetUpText(), RefusedButDrawn},
      {"an empty text", L"", Refused},
  };
  for (const Case& c : cases) {
    GuardedFrame frame(c.bufferWidth, c.bufferHeight);
    GameHost fresh;
    fresh.AllocGdiData(frame.Data(), 0, 0, 0);
    EXPECT_EQ(fresh.SetGameParam(c.text), c.outcome == Game ? 0 : -1) << c.what;
    for (int i = 0; i < 3; ++i) fresh.InputEvent(EventText(KAVELO_EVENT_TICK));
    EXPECT_TRUE(frame.GuardsIntact()) << c.what;
    EXPECT_EQ(frame.Written(), c.outcome != Refused) << c.what;
  }
}

TEST_F(HostileInput, ASetUpRefusedForItsPicturesMemoryLeavesTheNextOneWorking) {
  GuardedFrame frame(kFrameWidth, kFrameHeight);
  EXPECT_EQ(SetUpOn(frame, SetUpText("c,40;iconPath," + art->Path("huge") + ";")), -1);
  ASSERT_EQ(SetUpOn(frame, SetUpText()), 0);
  Ticks(1);
  EXPECT_EQ(frame.Pixel(0, 0), Tile(1));
}

TEST_F(HostileInput, EventValuesAreCutAndWrappedToCells) {
  const std::string longZeros(300, '0');  // longer than the 256-byte event buffer
  struct Case {
    const char* what;
    std::wstring event;
    int result;
  } cases[] = {
      {"type longer than its buffer reads 0: a tick", W("type," + longZeros + "1;x,1;y,0;"), 0},
      {"x longer than its buffer reads 0", W("type,1;x," + longZeros + "5;y,0;"), KAVELO_CLICK_CHOOSE},
      {"type without a value is a tick", L"type;x,1;y,0;", 0},
      {"x 65537 keeps column 1", L"type,1;x,65537;y,0;", KAVELO_CLICK_CHOOSE},
      {"x -65536 keeps column 0", L"type,1;x,-65536;y,0;", KAVELO_CLICK_CHOOSE},
      {"x beyond 32 bits saturates: column -1", L"type,1;x,99999999999;y,0;", KAVELO_CLICK_CANCEL},
      {"y 65535 is row -1", L"type,1;x,1;y,65535;", KAVELO_CLICK_CANCEL},
      {"a NUL ends the text: y absent", std::wstring(L"type,1;x,5") + L'\0' + L";y,4;", KAVELO_CLICK_CHOOSE},
      {"a surrogate reads as ?: column 0", std::wstring(L"type,1;x,") + wchar_t(0xDFFF) + L";y,0;",
       KAVELO_CLICK_CHOOSE},
      {"no separators: a click on cell (0,0)", L"type,1x,1y,0", KAVELO_CLICK_CHOOSE},
      {"shuffle mode beyond 8 bits", L"type,2;shuffle,4294967299;", 0},
      {"an undefined type", L"type,-2147483648;", 0},
  };
  for (const Case& c : cases) {
    GuardedFrame frame(kFrameWidth, kFrameHeight);
    ASSERT_EQ(SetUpOn(frame, SetUpText()), 0);
    EXPECT_EQ(host.InputEvent(c.event), c.result) << c.what;
    Ticks(2);
    EXPECT_TRUE(frame.GuardsIntact()) << c.what;
  }
}

TEST_F(HostileInput, TimeBeyond32BitsIsCutToTheLimitOrWrapsAsA32BitSumAndEndsTheGame) {
  struct Case {
    const char* what;
    const char* limit;
    std::vector<const wchar_t*> times;
    std::vector<int> results;
    int gameOvers;
  } cases[] = {
      {"no limit set: the first second ends the game", nullptr, {L"1"}, {0}, 1},
      {"beyond 32 bits saturates and is cut to the limit", "100", {L"4294967297"}, {100}, 1},
      {"below zero wraps and is cut to the limit", "100", {L"1", L"-2"}, {1, 100}, 1},
      {"an empty time adds nothing", "100", {L""}, {0}, 0},
      {"a limit beyond 32 bits saturates", "99999999999", {L"2147483646", L"1"}, {2147483646, 2147483647}, 1},
      {"the largest limit, passed by a wrapping sum", "-1", {L"2147483647", L"2147483647", L"5"},
       {2147483647, -2, 3}, 0},
      {"the largest limit, reached", "-1", {L"2147483647", L"2147483647", L"1"}, {2147483647, -2, -1}, 1},
  };
  for (const Case& c : cases) {
    GuardedFrame frame(kFrameWidth, kFrameHeight);
    host.gameOvers.clear();
    ASSERT_EQ(SetUpOn(frame, SetUpText()), 0);
    const std::string bar =
        CommandText(KAVELO_PARAM_TIME_BAR) + "timeBar," + art->Path("widebar.bmp") + ";x,0;y,0;time,";
    if (c.limit) {
      ASSERT_EQ(host.SetGameParam(W(bar + c.limit + ";")), KAVELO_PARAM_TIME_BAR);
    }
    for (std::size_t i = 0; i < c.times.size(); ++i) {
      EXPECT_EQ(host.InputEvent(EventText(KAVELO_EVENT_TIME) + L"time," + c.times[i] + L";"), c.results[i])
          << c.what << " " << i;
    }
    EXPECT_EQ(host.gameOvers, std::vector<int>(c.gameOvers, 0)) << c.what;  // 0: lost
    host.InputEvent(EventText(KAVELO_EVENT_TICK));  // the time bar of an exhausted or huge limit
    EXPECT_TRUE(frame.GuardsIntact()) << c.what;
    if (c.gameOvers == 0) continue;  // lost: no time is left and nothing more is taken
    EXPECT_EQ((std::tuple{host.InputEvent(EventText(KAVELO_QUERY_SECONDS_LEFT)), host.InputEvent(TimeText(1)),
                          Click(1, 1)}),
              std::tuple(0, -1, -1))
        << c.what;
  }
}

TEST_F(HostileInput, MarksAndBarsPartlyOrWhollyOutsideTheFrameAreCutAtItsEdges) {
  struct Probe {
    int x, y;
    Bgra colour;
  };
  struct Case {
    const char* what;
    std::string origin;  // "zeroX" and "zeroY" pairs
    int clickX, clickY;  // a tile to select, showing the mark
    std::string bar;     // the time-bar command's picture and position
    int elapsed;         // seconds of a 10-second limit
    std::vector<Probe> probes;
  } cases[] = {
      {"mark half above and left of the frame", "zeroX,-4;zeroY,-4;", 0, 0, "", 0, {{0, 0, kRed}, {3, 3, kRed}, {4, 4, Tile(2)}}},
      {"mark cut at the right and bottom edges", "zeroX,44;zeroY,36;", 0, 0, "", 0, {{44, 36, kRed}, {47, 39, kRed}, {43, 39, kBlack}}},
      {"mark wholly right of the frame", "zeroX,48;zeroY,0;", 0, 0, "", 0, {{47, 4, kBlack}}},
      {"bar wider than the frame, none elapsed", "", 1, 0, "widebar.bmp;x,-10;y,20;", 0, {{0, 20, kGreen}, {47, 23, kGreen}}},
      {"bar wider than the frame, its white part off the frame", "", 1, 0, "widebar.bmp;x,0;y,20;", 5,
       {{0, 20, kGreen}, {47, 20, kGreen}}},
      {"bar wider than the frame, white over the frame", "", 1, 0, "widebar.bmp;x,-400;y,20;", 5,
       {{0, 20, kWhite}, {47, 23, kWhite}, {47, 24, kBlack}}},
      {"bar far left", "", 1, 0, "widebar.bmp;x,-2147483648;y,0;", 9, {{0, 0, Tile(1)}}},
  };
  for (const Case& c : cases) {
    GuardedFrame frame(kFrameWidth, kFrameHeight);
    ASSERT_EQ(SetUpOn(frame, SetUpText(c.origin)), 0) << c.what;
    const std::string mark = "choose," + art->Path("choose.bmp") + ";";
    ASSERT_EQ(host.SetGameParam(W(CommandText(KAVELO_PARAM_SELECTION_PICTURE) + mark)), KAVELO_PARAM_SELECTION_PICTURE);
    const std::string bar = c.bar.empty() ? "none.bmp;" : c.bar;
    ASSERT_EQ(host.SetGameParam(W(CommandText(KAVELO_PARAM_TIME_BAR) + "time,10;timeBar," + art->Path("") + bar)),
              KAVELO_PARAM_TIME_BAR);
    if (c.elapsed > 0) {
      ASSERT_EQ(host.InputEvent(TimeText(c.elapsed)), c.elapsed);
    }
    ASSERT_EQ(host.InputEvent(ClickText(c.clickX, c.clickY)), KAVELO_CLICK_CHOOSE);
    ASSERT_EQ(host.InputEvent(EventText(KAVELO_EVENT_TICK)), 0);
    EXPECT_TRUE(frame.GuardsIntact()) << c.what;
    for (const Probe& p : c.probes) EXPECT_EQ(frame.Pixel(p.x, p.y), p.colour) << c.what << " at " << p.x << "," << p.y;
  }
}

TEST_F(HostileInput, TrailsOfMoreThan127FramesRunAtMost127TicksThroughTheLastFrames) {
  struct Case {
    int frames;
    int ticks;  // how long the trail shows: the frame count's low 8 bits, at most 127
  } cases[] = {{127, 127}, {128, 127}, {200, 127}, {255, 127}, {256, 0}, {300, 44}};
  for (const Case& c : cases) {
    GuardedFrame frame(kFrameWidth, kFrameHeight);
    ASSERT_EQ(SetUpOn(frame, SetUpText("", c.frames)), 0) << c.frames;
    ASSERT_EQ(Click(0, 0), KAVELO_CLICK_CHOOSE);
    ASSERT_EQ(Click(1, 0), KAVELO_CLICK_CONNECT);
    // Counter v shows frame file (frames - v + 1), whose blue byte is its number's low 8 bits.
    for (int t = 0; t <= c.ticks; ++t) {
      ASSERT_EQ(host.InputEvent(EventText(KAVELO_EVENT_TICK)), 0);
      const int counter = c.ticks - t;
      const Bgra expected = counter == 0 ? kBlack : Bgra{std::uint8_t(c.frames - counter + 1), 255, 255, 255};
      if (t == 0 || counter <= 1) {
        EXPECT_EQ(frame.Pixel(4, 4), expected) << c.frames << " tick " << t;
      }
    }
    EXPECT_TRUE(frame.GuardsIntact()) << c.frames;
  }
}

// The last trail frame is 2 x 3: the cell shrinks to it and the tiles are cut to the cell.
TEST_F(HostileInput, TheLastTrailFrameSetsTheCellAndTheTilesAreCutToIt) {
  GuardedFrame frame(kFrameWidth, kFrameHeight);
  ASSERT_EQ(SetUpOn(frame, SetUpText("animationFrames,2;animationPath," + art->Path("shorttrail") + ";")), 0);
  EXPECT_EQ((std::pair{host.InputEvent(EventText(KAVELO_QUERY_CELL_WIDTH)),
                       host.InputEvent(EventText(KAVELO_QUERY_CELL_HEIGHT))}),
            std::pair(2, 3));
  Ticks(1);
  EXPECT_TRUE(frame.GuardsIntact());
  const std::pair<std::array<int, 2>, Bgra> probes[] = {
      {{0, 0}, Tile(1)}, {{1, 2}, Tile(1)}, {{2, 0}, Tile(1)}, {{11, 0}, Tile(2)}, {{0, 3}, Tile(2)}};
  for (const auto& [at, colour] : probes) EXPECT_EQ(frame.Pixel(at[0], at[1]), colour) << at[0] << "," << at[1];
}

namespace {

using Codes = std::vector<std::pair<unsigned, unsigned>>;  // code, bits

// A GIF of one frame, `width` x 1, whose picture data is the codes given, low bit first,
// then the bytes of `after`.
std::vector<std::uint8_t> GifOfCodes(std::uint8_t minimumCodeSize, const Codes& codes, std::uint8_t width = 4,
                                     const std::vector<std::uint8_t>& after = {}) {
  std::vector<std::uint8_t> out = {'G', 'I', 'F', '8', '9', 'a', 4, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255,
                                   0x2C, 0, 0, 0, 0, width, 0, 1, 0, 0, minimumCodeSize};
  std::vector<std::uint8_t> data;
  std::uint32_t bits = 0;
  unsigned count = 0;
  for (const auto& [code, width] : codes) {
    bits |= code << count;
    for (count += width; count >= 8; count -= 8, bits >>= 8) data.push_back(static_cast<std::uint8_t>(bits));
  }
  if (count > 0) data.push_back(static_cast<std::uint8_t>(bits));
  data.insert(data.end(), after.begin(), after.end());
  out.push_back(static_cast<std::uint8_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  out.insert(out.end(), {0, 0x3B});
  return out;
}

// Found by the picture fuzzer: their codes tie the decoder's table into a loop, which the
// decoder follows until it writes past its own stack. The second one passed a first
// version of the check that took a reset right after a reset for another reset.
const std::vector<std::uint8_t> kLoopingGif = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x00, 0x00, 0x00, 0x00, 0x08, 0x04, 0x00, 0x2C, 0x5D, 0x00,
    0x00, 0x00, 0x00, 0x01, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x00,
    0x00, 0x00, 0x0C, 0x32, 0x46, 0x38, 0x39, 0x61, 0x04, 0x04, 0x04, 0x04, 0x04, 0x00, 0x3B};
const std::vector<std::uint8_t> kLoopingAfterResetsGif = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x04, 0x04, 0x00, 0x65, 0x2C, 0x5D, 0x00, 0x00, 0x00,
    0x00, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x42, 0x4D, 0x24, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x41, 0x01, 0x01, 0x01, 0xF9, 0xFE, 0xFE, 0xFB,
    0xFB, 0xFB, 0x04, 0x04, 0x04, 0x00, 0x01, 0x04, 0x04, 0x00, 0x3B, 0x01, 0x04, 0x04, 0x00, 0x3B, 0x80, 0x9B,
    0xFE, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x04, 0x04, 0x04, 0x00, 0x04, 0x04, 0x00, 0x3B, 0x01, 0x00,
    0x00, 0x00, 0x04, 0x04, 0x04, 0x00, 0x01, 0x04, 0x04, 0x00, 0x3B, 0x01, 0x04, 0x04, 0x00, 0x3B};

}  // namespace

// With a minimum code size of 2: 4 resets, 5 ends, entries from 6, codes of 3 bits until
// entry 8 is made.
TEST(HostilePictureHeaders, GifFramesTheDecoderMishandlesAreRefusedBeforeDecoding) {
  // The bytes of a 60000 x 60000 frame, hidden in the data of a frame of no width: the
  // decoder skips that frame without reading its data and takes the hidden one.
  const std::vector<std::uint8_t> hidden = {0x2C, 0, 0, 0, 0, 0x60, 0xEA, 0x60, 0xEA, 0, 2};
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
    bool safe;
  } cases[] = {
      {"literals, then the newest entry", GifOfCodes(2, {{4, 3}, {1, 3}, {2, 3}, {6, 3}, {5, 4}}), true},
      {"the entry being made, then wider codes", GifOfCodes(2, {{4, 3}, {1, 3}, {1, 3}, {7, 3}, {8, 4}, {5, 4}}), true},
      {"data that ends without an end code", GifOfCodes(2, {{4, 3}, {1, 3}, {1, 3}}), true},
      {"a code beyond the entry being made", GifOfCodes(2, {{4, 3}, {1, 3}, {7, 3}, {5, 3}}), false},
      {"no literal after the start", GifOfCodes(2, {{4, 3}, {6, 3}, {1, 3}, {5, 3}}), false},
      {"no literal after a reset", GifOfCodes(2, {{4, 3}, {1, 3}, {4, 3}, {7, 3}, {5, 3}}), false},
      {"a minimum code size of 0", GifOfCodes(0, {{1, 1}, {0, 1}}), false},
      {"a minimum code size of 12", GifOfCodes(12, {{4096, 13}, {1, 13}}), false},
      {"a reset right after a reset is taken as the first code",
       GifOfCodes(2, {{4, 3}, {1, 3}, {2, 3}, {4, 3}, {4, 3}, {1, 3}, {7, 3}, {5, 4}}), true},
      {"the looping codes found by fuzzing", kLoopingGif, false},
      {"the looping codes after resets found by fuzzing", kLoopingAfterResetsGif, false},
      {"a frame of no width hiding another in its data", GifOfCodes(2, {{4, 3}, {0, 3}, {5, 3}}, 0, hidden), false},
      {"a frame hiding another in its data", GifOfCodes(2, {{4, 3}, {0, 3}, {5, 3}}, 4, hidden), true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(kavelo::image::GifSafeToDecode(c.bytes.data(), c.bytes.size()), c.safe) << c.what;
  }
}

TEST_F(HostileInput, ATilePictureWhoseCodesLoopIsRefusedAndNeverDecoded) {
  std::ofstream(art->Path("loop1.gif"), std::ios::binary)
      .write(reinterpret_cast<const char*>(kLoopingGif.data()), static_cast<std::streamsize>(kLoopingGif.size()));
  GuardedFrame frame(kFrameWidth, kFrameHeight);
  EXPECT_EQ(SetUpOn(frame, SetUpText("c,1;iconPath," + art->Path("loop") + ";iconType,.gif;")), -1);
  Ticks(1);
  EXPECT_TRUE(frame.GuardsIntact());
}
