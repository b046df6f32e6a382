#include "RenderTestFiles.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "render-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) != nullptr) m_path = pattern;
  EXPECT_FALSE(m_path.empty()) << "no temporary folder";
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
}

namespace {

// Fills a new surface of `format` by the rule; the caller frees it.
SDL_Surface* MakeSurface(int width, int height, Uint32 format, const PixelRule& rule) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, format);
  if (surface == nullptr) return nullptr;
  for (int row = 0; row < height; ++row) {
    auto* line = static_cast<Uint32*>(surface->pixels) + row * (surface->pitch / 4);
    for (int column = 0; column < width; ++column) {
      const Bgra c = rule(column, row);
      line[column] = SDL_MapRGBA(surface->format, c.r, c.g, c.b, c.a);
    }
  }
  return surface;
}

}  // namespace

void WriteBmp(const std::string& path, int width, int height, const PixelRule& rule) {
  SDL_Surface* surface = MakeSurface(width, height, SDL_PIXELFORMAT_RGB888, rule);
  ASSERT_NE(surface, nullptr) << SDL_GetError();
  EXPECT_EQ(SDL_SaveBMP(surface, path.c_str()), 0) << SDL_GetError();
  SDL_FreeSurface(surface);
}

void WritePng(const std::string& path, int width, int height, const PixelRule& rule) {
  SDL_Surface* surface = MakeSurface(width, height, SDL_PIXELFORMAT_ARGB8888, rule);
  ASSERT_NE(surface, nullptr) << SDL_GetError();
  EXPECT_EQ(IMG_SavePNG(surface, path.c_str()), 0) << IMG_GetError();
  SDL_FreeSurface(surface);
}

PixelRule Uniform(Bgra colour) {
  return [colour](int, int) { return colour; };
}

KaveloPicture MakePicture(int width, int height, const PixelRule& rule) {
  KaveloPicture picture;
  picture.width = width;
  picture.height = height;
  picture.pixels = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(width) * height * 4);
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      const Bgra c = rule(column, row);
      std::memcpy(picture.pixels.get() + (static_cast<std::size_t>(height - 1 - row) * width + column) * 4, &c, 4);
    }
  }
  return picture;
}

Bgra PictureAt(const KaveloPicture& picture, int column, int row) {
  Bgra c{};
  std::memcpy(&c, picture.pixels.get() + (static_cast<std::size_t>(picture.height - 1 - row) * picture.width + column) * 4,
              4);
  return c;
}
