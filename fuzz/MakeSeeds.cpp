// Writes the seed corpora of the three fuzz targets into the directory given:
// protocol/ (command and event sequences), picture/ (small pictures in every format)
// and lookup/ (key-value texts with buffer sizes).
#include <climits>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/LookupLayout.h"
#include "fuzz/ProtocolScript.h"
#include "tests/support/TestFiles.h"

using namespace kavelo::fuzz;
using namespace kavelo::test;

namespace {

class Corpus {
 public:
  Corpus(const std::filesystem::path& dir) : m_dir(dir) { std::filesystem::create_directories(dir); }
  void Add(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    if (!WriteFile((m_dir / name).string(), bytes)) {
      std::fprintf(stderr, "cannot write %s\n", (m_dir / name).c_str());
      m_ok = false;
    }
    ++m_count;
  }
  bool Ok() const { return m_ok; }
  int Count() const { return m_count; }

 private:
  std::filesystem::path m_dir;
  bool m_ok = true;
  int m_count = 0;
};

// The host's usual opening: shuffle, score step, time bar, selection mark and sounds.
ScriptWriter& Opening(ScriptWriter& s, std::int32_t seconds = 600) {
  return s.Shuffle(3).ScoreStep(5).TimeBar(1, 0, 0, seconds).Choose(0).Sounds(0x1F, 0);
}

void ProtocolSeeds(Corpus& corpus) {
  {
    ScriptWriter s;
    s.SetUp({});
    Opening(s);
    for (int pair = 0; pair < 6; ++pair) s.FollowHint().Ticks(3).AdvanceClock(100);
    corpus.Add("game-won", s.Data());
  }
  {
    ScriptWriter s(GameOverReaction::kSetUpAgain);
    s.SetUp({});
    Opening(s);
    for (int pair = 0; pair < 7; ++pair) s.FollowHint().Ticks(1);
    corpus.Add("won-then-set-up-from-game-over", s.Data());
  }
  {
    ScriptWriter s(GameOverReaction::kTick);
    s.SetUp({});
    Opening(s, 2);
    for (int tick = 0; tick < 25; ++tick) s.AdvanceClock(100);
    s.TimeEvent(1).Click(1, 1);
    corpus.Add("time-out", s.Data());
  }
  for (std::uint8_t series = 0; series < 12; ++series) {
    ScriptWriter s;
    SetUpFields f;
    f.icons = series;
    f.animation = static_cast<std::uint8_t>(11 - series);
    s.SetUp(f).Shuffle(4).Ticks(2).Click(1, 1).Click(2, 1).Ticks(2).Choose(series).Ticks(1);
    corpus.Add("series-" + std::to_string(series), s.Data());
  }
  struct Hostile {
    const char* name;
    SetUpFields fields;
  };
  std::vector<Hostile> hostile;
  const auto with = [&](const char* name, auto change) {
    SetUpFields f;
    change(f);
    hostile.push_back({name, f});
  };
  with("w0", [](SetUpFields& f) { f.w = 0; });
  with("w256", [](SetUpFields& f) { f.w = 256; });
  with("w300-h300", [](SetUpFields& f) { f.w = 300, f.h = 300; });
  with("w255-h255", [](SetUpFields& f) { f.w = 255, f.h = 255, f.c = 6, f.r = 255; });
  with("c255-r255", [](SetUpFields& f) { f.c = 255, f.r = 255; });
  with("screen-huge", [](SetUpFields& f) { f.screenWidth = 65535, f.screenHeight = 65535; });
  with("screen-1x1", [](SetUpFields& f) { f.screenWidth = 1, f.screenHeight = 1; });
  with("screen-wide", [](SetUpFields& f) { f.screenWidth = 16385, f.screenHeight = 2; });
  with("bits24", [](SetUpFields& f) { f.bits = kBitsRaw + 24; });
  with("origin-negative", [](SetUpFields& f) { f.zeroX = -100000, f.zeroY = INT_MIN; });
  with("origin-far", [](SetUpFields& f) { f.zeroX = INT_MAX, f.zeroY = 29; });
  with("frames-65535", [](SetUpFields& f) { f.frames = 65535; });
  with("frames-128", [](SetUpFields& f) { f.frames = 128; });
  with("frames-0", [](SetUpFields& f) { f.frames = 0; });
  with("mixed-sizes", [](SetUpFields& f) { f.icons = 6, f.animation = 6; });
  for (const Hostile& h : hostile) {
    ScriptWriter s;
    s.SetUp(h.fields);
    Opening(s);
    s.Ticks(3).FollowHint().Ticks(8).Click(1, 1).Click(-1, 70000).AdvanceClock(100);
    corpus.Add("set-up-" + std::string(h.name), s.Data());
  }
  for (unsigned kind = 0; kind < static_cast<unsigned>(Spoil::kCount); ++kind) {
    ScriptWriter s;
    const auto spoil = static_cast<Spoil>(kind);
    s.SetUp({}, {MakeSpoil(spoil, 1, 3), MakeSpoil(spoil, 5, 200)});
    s.TimeBar(1, 0, 0, 100, {MakeSpoil(spoil, 4, 1)}).Shuffle(3, {MakeSpoil(spoil, 1, 2)});
    s.Click(1, 1, {MakeSpoil(spoil, 1, 0)}).TimeEvent(1, {MakeSpoil(spoil, 1, 9)}).Ticks(2);
    corpus.Add("spoil-" + std::to_string(kind), s.Data());
  }
  {
    ScriptWriter s;
    s.RawCommand(std::wstring(L"param,1;w,6;h,5;c,3;r,4;screenWidth,36;screenHeight,30;screenBits,32;") + L'\0' +
                 L"zeroX,0;");
    s.RawCommand(L"param,1w,6h,5");
    s.RawEvent(std::wstring(L"type,1;x,") + static_cast<wchar_t>(0xD800) + L"1;y,1");
    s.RawEvent(std::wstring(L"type,0;") + static_cast<wchar_t>(0x110000));
    s.RawEvent(L"type");
    s.RawEvent(L";;;,,,");
    corpus.Add("raw-texts", s.Data());
  }
  {
    ScriptWriter s;
    s.SetUp({}).Objects(ObjectsMode::kNewOther).SetUp({}).Objects(ObjectsMode::kSwitch);
    s.Ticks(2).AdvanceClock(100).AdvanceClock(100).Objects(ObjectsMode::kDestroyOther).AdvanceClock(100);
    s.Objects(ObjectsMode::kReplaceCurrent).AdvanceClock(100).SetUp({}).Objects(ObjectsMode::kNewOther);
    s.AdvanceClock(100);
    corpus.Add("two-objects", s.Data());
  }
  {
    ScriptWriter s;
    s.SetUp({}).TimeBar(2, -5, 3, 50).Ticks(2).TimeBar(3, 30, -80, 50).TimeEvent(INT_MAX).Ticks(1);
    s.SetUp({}).TimeBar(1, INT_MIN, INT_MAX, -1).TimeEvent(-5).Ticks(1);
    for (std::int32_t type : {4, 8, 16, 32, 128, 256, 512, 3, 5, -1, 1024}) s.Query(type);
    s.HandBuffer(0).Ticks(2).HandBuffer(1).Ticks(2).Hint();
    corpus.Add("time-bar-and-queries", s.Data());
  }
}

void PictureSeeds(Corpus& corpus) {
  struct Size {
    int width, height;
  };
  for (Size size : {Size{1, 1}, Size{6, 6}, Size{13, 7}}) {
    for (Format format : kAllFormats) {
      const Bytes bytes = Encode(Gradient(size.width, size.height, Alpha::kKeyed), format);
      if (bytes.empty()) continue;
      const std::string name = std::to_string(size.width) + "x" + std::to_string(size.height) + "-" +
                               std::to_string(static_cast<int>(format)) + Suffix(format);
      corpus.Add(name, bytes);
      if (size.width == 13) corpus.Add("cut-" + name, {bytes.begin(), bytes.begin() + bytes.size() * 2 / 3});
    }
  }
  // Icons of two entries, 8 and 24 bits a pixel, and of one entry holding a PNG.
  const TestPicture icon = Gradient(6, 6, Alpha::kKeyed);
  corpus.Add("two-entries.ico", EncodeIcon({{icon, IconForm::kBits8}, {icon, IconForm::kBits24}}));
  corpus.Add("png-entry.ico", EncodeIcon({{icon, IconForm::kPng}}));
}

void LookupSeeds(Corpus& corpus) {
  corpus.Add("game-set-up", WellFormedLookup(512,
                                             {{"param", "1"}, {"w", "18"}, {"c", "36"}, {"iconpath", "/art/tile"},
                                              {"choose", "a,b"}, {"c", "7"}},
                                             1, 2));
  corpus.Add("cut-value", WellFormedLookup(8, {{"icontype", ".png-and-more"}}, 0, 0));
  corpus.Add("empty-key", WellFormedLookup(3, {{"", "x"}, {"a", ""}}, 2, 0));
  corpus.Add("absent", WellFormedLookup(256, {{"type", "1"}}, 0, 0x81));
  corpus.Add("buffer-0", RawLookup(0, "type", ";", ",", "type,0"));
  corpus.Add("buffer-1", RawLookup(1, "type", ";", ",", "type,0;"));
  corpus.Add("clock-tick", RawLookup(256, "type", ";", ",", "type,0"));
  corpus.Add("long-separators", RawLookup(16, "k", "::", "=>", "a=>1::k=>two::k=>3"));
  corpus.Add("no-separators", RawLookup(64, "x", ";", ",", "x1y2"));
  corpus.Add("nulls", RawLookup(64, "x", ";", ",", "x,1;", 0xFF));
  corpus.Add("embedded-nul", RawLookup(64, "x", ";", ",", std::string("x,1\0;x,2;", 9)));
  corpus.Add("utf8", RawLookup(5, "p", ";", ",", "p,\xF0\x9F\x98\x80\xC3\xA9;"));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT-DIR\n", argv[0]);
    return 2;
  }
  const std::filesystem::path out(argv[1]);
  Corpus protocol(out / "protocol"), picture(out / "picture"), lookup(out / "lookup");
  ProtocolSeeds(protocol);
  PictureSeeds(picture);
  LookupSeeds(lookup);
  std::printf("seeds: %d protocol, %d picture, %d lookup\n", protocol.Count(), picture.Count(), lookup.Count());
  return protocol.Ok() && picture.Ok() && lookup.Ok() ? 0 : 1;
}
