#include <algorithm>

#include "image/LoadImageBits.h"
#include "image/PictureFile.h"
#include "image/PictureLoadCodes.h"
#include "image/OlePicture.h"
#include "render/KaveloFigure.h"
#include "render/SeriesName.h"

using kavelo::image::DeclaredBytes;
using kavelo::image::DeclaredSize;
using kavelo::image::kPictureLoaded;
using kavelo::image::ReadDeclaredFileSize;
using kavelo::render::PictureBytes;

bool KaveloFigure::LoadPicture(const std::optional<std::wstring>& fileName, KaveloPicture& picture,
                               std::uint64_t byteLimit) {
  if (!fileName || m_pOlePicture == nullptr) return false;
  m_pOlePicture->SetByteLimit(byteLimit);
  kavelo::image::PixelBuffer pixels;
  int width = 0;
  int height = 0;
  int bits = 0;
  const int result = LoadImageBits(*m_pOlePicture, *fileName, pixels, width, height, bits);
  m_pOlePicture->Free();
  // Every pass and copy reads 4 bytes a pixel: a picture of another depth is refused.
  if (result != 0 || pixels == nullptr || width <= 0 || height <= 0 || bits != kFrameBits) return false;
  picture.pixels = std::move(pixels);
  picture.width = width;
  picture.height = height;
  return true;
}

std::uint64_t KaveloFigure::HeldPictureBytes() const {
  std::uint64_t bytes = PictureBytes(m_timeBarPixels) + PictureBytes(m_choosePixels);
  for (const KaveloPicture& picture : m_iconPixels) bytes += PictureBytes(picture);
  for (const KaveloPicture& picture : m_animationPixels) bytes += PictureBytes(picture);
  return bytes;
}

std::uint64_t KaveloFigure::BudgetLeftFor(const KaveloPicture& replaced) const {
  const std::uint64_t held = HeldPictureBytes() - PictureBytes(replaced);
  return held < m_pictureBudget ? m_pictureBudget - held : 0;
}

bool KaveloFigure::SeriesFits(std::uint16_t count, const char* path, const char* type, std::uint64_t byteLimit) const {
  std::uint64_t bytes = 0;
  for (unsigned n = 1; n <= count; ++n) {
    const auto name = SeriesFileName(path, n, type);
    DeclaredSize declared;
    // The load itself stops at this member and reports it.
    if (!name || ReadDeclaredFileSize(*name, declared) != kPictureLoaded) return true;
    bytes += DeclaredBytes(declared);
    if (bytes > byteLimit) return false;
  }
  return true;
}

bool KaveloFigure::LoadSeries(std::vector<KaveloPicture>& series, std::uint16_t count, const char* path,
                              const char* type) {
  // New pictures may take the buffers of those they replace: the frame is composed anew.
  ForgetDrawn();
  series.clear();
  // A series that cannot fit is refused whole, before any member costs a decode.
  std::uint64_t left = BudgetLeftFor(KaveloPicture{});
  if (!SeriesFits(count, path, type, left)) return false;
  series.resize(count);
  for (unsigned n = 1; n <= count; ++n) {
    KaveloPicture& member = series[n - 1];
    if (!LoadPicture(SeriesFileName(path, n, type), member, left)) return false;
    left -= std::min(left, PictureBytes(member));
    m_pictureWidth = member.width;
    m_pictureHeight = member.height;
  }
  return true;
}

bool KaveloFigure::LoadIcons(std::uint16_t count, const char* path, const char* type) {
  if (!m_ready || path == nullptr || type == nullptr) return false;
  if (!LoadSeries(m_iconPixels, count, path, type)) return false;
  for (KaveloPicture& icon : m_iconPixels) KeyBlackTransparent(icon);
  return true;
}

bool KaveloFigure::LoadAnimation(std::uint16_t count, const char* path, const char* type) {
  if (!m_ready || path == nullptr || type == nullptr) return false;
  m_animationFrames = count;
  ForgetDrawn();
  if (count == 0) {
    m_animationPixels.clear();
    return true;
  }
  // Trail frames are shown as the loader gives them: no key-colour pass.
  return LoadSeries(m_animationPixels, count, path, type);
}

bool KaveloFigure::LoadSingle(const char* path, KaveloPicture& slot) {
  if (!m_ready || path == nullptr) return false;
  KaveloPicture picture;
  if (!LoadPicture(SingleFileName(path), picture, BudgetLeftFor(slot))) return false;
  KeyOpaqueExceptBlack(picture);
  slot = std::move(picture);
  ForgetDrawn();
  return true;
}

bool KaveloFigure::LoadChoose(const char* path) {
  if (!LoadSingle(path, m_choosePixels)) return false;
  m_pictureWidth = m_choosePixels.width;
  m_pictureHeight = m_choosePixels.height;
  return true;
}

bool KaveloFigure::LoadTimeBar(const char* path, int x, int y) {
  if (!LoadSingle(path, m_timeBarPixels)) return false;
  m_timeBarWidth = m_timeBarPixels.width;
  m_timeBarHeight = m_timeBarPixels.height;
  m_timeBarX = x;
  m_timeBarY = y;
  return true;
}
