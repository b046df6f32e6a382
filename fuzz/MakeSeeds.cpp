// Writes the seed corpora of the three fuzz targets into the directory given:
// protocol/ (command and event sequences), picture/ (small pictures in every format)
// and lookup/ (key-value texts with buffer sizes).
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/TestFiles.h"

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

// A set-up command line: the pairs given first win over the usual ones after them.
std::string SetUp(const std::string& first = "") {
  return "Cparam,1;" + first +
         "w,6;h,5;c,3;r,4;screenWidth,36;screenHeight,30;screenBits,32;zeroX,0;zeroY,0;iconPath,@/bt;"
         "iconType,.bmp;animationFrames,3;animationPath,@/tr;animationType,.bmp;\n";
}

// The host's usual opening: shuffle, score step, time bar, selection mark and sounds.
std::string Opening(int seconds = 600) {
  return "Etype,2;shuffle,3;\nCparam,16;markAdd,5;\nCparam,4;timeBar,@/timebar.gif;x,0;y,0;time," +
         std::to_string(seconds) + ";\nCparam,2;choose,@/choose.png;\n" +
         "Cparam,8;cancel,@/ping.wav;connect,@/ping.wav;wrong,@/missing.wav;choose,@/notes.txt;win,@/sub1;\n";
}

std::string Repeat(const std::string& lines, int times) {
  std::string all;
  for (int n = 0; n < times; ++n) all += lines;
  return all;
}

void ProtocolSeeds(Corpus& corpus) {
  const auto add = [&](const std::string& name, const std::string& text) { corpus.Add(name, Bytes(text.begin(), text.end())); };
  add("game-won", SetUp() + Opening() + Repeat("H\nT3\nA100\n", 6));
  add("won-then-set-up-from-game-over", "G1\n" + SetUp() + Opening() + Repeat("H\nT1\n", 7));
  add("time-out", "G2\n" + SetUp() + Opening(2) + Repeat("A100\n", 25) + "Etype,64;time,1;\nEtype,1;x,1;y,1;\n");
  const char* series[] = {"bt", "vt", "pt", "gt", "jt", "t\xC3\xAFle", "mx", "tr", "none", "sub"};
  for (const char* stem : series) {
    const std::string type = std::string(stem) == "pt" ? ".png" : std::string(stem) == "gt" ? ".gif"
                             : std::string(stem) == "jt" ? ".jpg" : ".bmp";
    add(std::string("series-") + stem, SetUp(std::string("iconPath,@/") + stem + ";iconType," + type + ";") +
                                           "Etype,2;shuffle,4;\nT2\nEtype,1;x,1;y,1;\nEtype,1;x,2;y,1;\nT2\n");
  }
  const std::string hostile[] = {
      "w,0;", "w,256;", "w,300;h,300;", "w,255;h,255;c,6;r,255;", "c,255;r,255;", "screenWidth,65535;screenHeight,65535;",
      "screenWidth,1;screenHeight,1;", "screenWidth,16385;screenHeight,2;", "screenBits,24;",
      "zeroX,-100000;zeroY,-2147483648;", "zeroX,2147483647;zeroY,29;", "animationFrames,65535;",
      "animationFrames,128;", "animationFrames,0;", "w,4294967302;", "w," + std::string(600, '0') + "6;",
      "iconPath,@/" + std::string(300, 'a') + ";", "iconType,.bmp-but-longer;", "w\\U0000D800,6;",
      "iconPath,\\U00110000;", "w;", "c,257;"};
  int n = 0;
  for (const std::string& first : hostile) {
    add("set-up-" + std::to_string(n++),
        SetUp(first) + Opening() + "T3\nH\nT8\nEtype,1;x,1;y,1;\nEtype,1;x,-1;y,70000;\nA100\n");
  }
  add("raw-texts", "Cparam,1;w,6;h,5;c,3;r,4;screenWidth,36;screenHeight,30;screenBits,32;\\U00000000zeroX,0;\n"
                   "Cparam,1w,6h,5\nEtype,1;x,\\U0000D8001;y,1\nEtype,0;\\U00110000\nEtype\nE;;;,,,\n"
                   "Etype,1;x,\xFF\xFE;y,1;\n");
  add("two-objects", SetUp() + "O0\n" + SetUp() + "O2\nT2\nA100\nA100\nO1\nA100\nO3\nA100\n" + SetUp() + "O0\nA100\n");
  add("time-bar-and-queries",
      SetUp() + "Cparam,4;timeBar,@/wide.bmp;x,-5;y,3;time,50;\nT2\nCparam,4;timeBar,@/tall.png;x,30;y,-80;time,50;\n"
                "Etype,64;time,2147483647;\nT1\n" + SetUp() +
      "Cparam,4;timeBar,@/cut.png;x,-2147483648;y,2147483647;time,-1;\nEtype,64;time,-5;\nT1\n"
      "Etype,4;\nEtype,8;\nEtype,16;\nEtype,32;\nEtype,128;\nEtype,256;\nEtype,512;\nEtype,3;\nEtype,1024;\n"
      "B0\nT2\nB1\nT2\nH\n");
  add("extensions", "Xc\n" + SetUp() + "Etype,2;shuffle,4;\nXs\nH\nH\nXu\nXu\nXr\nXh\nT2\nEtype,2;shuffle,1;\nXr\nXs\nXC\n");
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

// A lookup input: buffer size, null mask, then key, separators and text.
Bytes Lookup(std::uint16_t size, const std::string& key, const std::string& pairSep, const std::string& kvSep,
             const std::string& text, std::uint8_t nulls = 0) {
  const std::string all = key + '\x01' + pairSep + '\x01' + kvSep + '\x01' + text;
  Bytes bytes = {static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8), nulls};
  bytes.insert(bytes.end(), all.begin(), all.end());
  return bytes;
}

void LookupSeeds(Corpus& corpus) {
  corpus.Add("game-set-up", Lookup(512, "c", ";", ",", "param,1;w,18;c,36;iconpath,/art/tile;choose,a,b;c,7"));
  corpus.Add("cut-value", Lookup(8, "icontype", ";", ",", "icontype,.png-and-more;"));
  corpus.Add("empty-key", Lookup(3, "", ";", ",", ";,x;a,;"));
  corpus.Add("absent", Lookup(256, "typ", ";", ",", "type,1;"));
  corpus.Add("buffer-0", Lookup(0, "type", ";", ",", "type,0"));
  corpus.Add("buffer-1", Lookup(1, "type", ";", ",", "type,0;"));
  corpus.Add("long-separators", Lookup(16, "k", "::", "=>", "a=>1::k=>two::k=>3"));
  corpus.Add("no-separators", Lookup(64, "x", ";", ",", "x1y2"));
  corpus.Add("nulls", Lookup(64, "x", ";", ",", "x,1;", 0xFF));
  corpus.Add("embedded-nul", Lookup(64, "x", ";", ",", std::string("x,1\0;x,2;", 9)));
  corpus.Add("utf8", Lookup(5, "p", ";", ",", "p,\xF0\x9F\x98\x80\xC3\xA9;"));
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
