#include "GameHost.h"

#include "tests/support/TestFiles.h"

namespace kavelo::test {
void WriteSolidBmp(const std::filesystem::path& file, int width, int height, std::uint8_t r, std::uint8_t g,
                   std::uint8_t b) {
  WriteFile(file.string(), Encode(Solid(width, height, {r, g, b, 255}), Format::kBmp24));
}

Rgb KindColour(int kind) {
  return {std::uint8_t(20 + kind * 23), std::uint8_t(250 - kind * 19), std::uint8_t(60 + (kind * 71) % 190)};
}

ArtFolder::ArtFolder(int tiles, int trailFrames, int cell) {
  for (int k = 1; k <= tiles; ++k) {
    const Rgb c = KindColour(k);
    WriteSolidBmp(Path("tile" + std::to_string(k) + ".bmp"), cell, cell, c.r, c.g, c.b);
  }
  for (int f = 1; f <= trailFrames; ++f) {
    WriteSolidBmp(Path("trail" + std::to_string(f) + ".bmp"), cell, cell, 255, 255, std::uint8_t(f));
  }
  WriteSolidBmp(Path("choose.bmp"), cell, cell, 255, 0, 0);
  WriteSolidBmp(Path("timebar.bmp"), 40, 4, 0, 200, 0);
}

std::wstring ArtFolder::SetUp(int w, int h, int kinds, int copies, int screenWidth, int screenHeight,
                              int frames) const {
  const std::string text = CommandText(KAVELO_PARAM_SET_UP) + "w," + std::to_string(w) + ";h," +
                           std::to_string(h) + ";c," + std::to_string(kinds) + ";r," + std::to_string(copies) + ";screenWidth," +
                           std::to_string(screenWidth) + ";screenHeight," + std::to_string(screenHeight) +
                           ";screenBits,32;zeroX,0;zeroY,0;iconPath," + Path("tile") +
                           ";iconType,.bmp;animationFrames," + std::to_string(frames) + ";animationPath," +
                           Path("trail") + ";animationType,.bmp;";
  return W(text);
}

}  // namespace kavelo::test
