// The store of browser-decoded pictures, and the functions the page calls to fill it.
#include "image/web/PreloadedPictures.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "image/DeclaredSize.h"
#include "image/IconDirectory.h"
#include "image/PictureLoadCodes.h"

namespace kavelo::image {
namespace {

struct Preloaded {
  std::vector<std::uint8_t> bytes;  // the file, to tell apart files whose hashes meet
  DecodedPicture picture;
};

// FNV-1a over the bytes: enough to spread the few dozen files a page preloads.
std::uint64_t HashOf(const std::uint8_t* bytes, std::size_t size) {
  std::uint64_t hash = 14695981039346656037ull;
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
  return hash ^ size;
}

struct Store {
  std::unordered_multimap<std::uint64_t, Preloaded> pictures;
  std::uint64_t heldBytes = 0;

  const Preloaded* Find(const std::uint8_t* bytes, std::size_t size) const {
    const auto [first, last] = pictures.equal_range(HashOf(bytes, size));
    for (auto it = first; it != last; ++it) {
      const std::vector<std::uint8_t>& held = it->second.bytes;
      if (held.size() == size && std::equal(held.begin(), held.end(), bytes)) return &it->second;
    }
    return nullptr;
  }
};

Store& ThePreloaded() {
  static Store store;
  return store;
}

// The most the store keeps: as much as one game's pictures may take, so that a page's
// artwork never costs more decoded ahead than the game would hold.
constexpr std::uint64_t kStoreBudget = std::uint64_t{256} << 20;

}  // namespace

int TakePreloadedPicture(const std::uint8_t* bytes, std::size_t size, DecodedPicture& picture) {
  const Preloaded* found = bytes != nullptr ? ThePreloaded().Find(bytes, size) : nullptr;
  if (found == nullptr) return kPictureNotDecodable;
  DecodedPicture copy;
  if (!copy.Allocate(found->picture.width, found->picture.height)) return kPictureNoMemory;
  std::memcpy(copy.pixels.get(), found->picture.pixels.get(),
              found->picture.Pitch() * static_cast<std::size_t>(found->picture.height));
  picture = std::move(copy);
  return kPictureLoaded;
}

namespace {

// The bytes the browser is to decode for a file: the whole file, or an icon's PNG entry
// (the plug-in decodes BMP-form entries itself). Empty when there is nothing to decode.
std::pair<const std::uint8_t*, std::size_t> BytesToDecode(const std::uint8_t* bytes, std::size_t size) {
  const DeclaredSize declared = ReadDeclaredSize(bytes, size);
  if (!MayDecode(declared) || DeclaredBytes(declared) == 0) return {nullptr, 0};
  if (declared.format != PictureFormat::kIcon) return {bytes, size};
  const auto entry = BestIconEntry(bytes, size);
  if (!entry || !entry->png) return {nullptr, 0};
  return {bytes + entry->offset, entry->size};
}

}  // namespace
}  // namespace kavelo::image

using kavelo::image::ThePreloaded;

extern "C" {

// What the page should have the browser decode of a file's bytes: 1 with `range` set to
// {offset, length} within them when they are (or, for an icon, show) a picture of sides
// within the limit that the store has not got and has room for; 0 otherwise. So an absurd
// or oversized picture is never decoded at all.
EMSCRIPTEN_KEEPALIVE int KaveloWebPictureToDecode(const std::uint8_t* bytes, std::size_t size, std::size_t* range) {
  if (bytes == nullptr || range == nullptr) return 0;
  const auto [start, length] = kavelo::image::BytesToDecode(bytes, size);
  if (start == nullptr) return 0;
  const auto& store = ThePreloaded();
  if (store.Find(start, length) != nullptr) return 0;
  const auto declared = kavelo::image::ReadDeclaredSize(start, length);
  if (store.heldBytes + kavelo::image::DeclaredBytes(declared) > kavelo::image::kStoreBudget) return 0;
  range[0] = static_cast<std::size_t>(start - bytes);
  range[1] = length;
  return 1;
}

// Keeps the pixels the browser decoded from `bytes` (a range that KaveloWebPictureToDecode
// named): `rgba` holds width x height pixels, 4 bytes each as red, green, blue, alpha (not
// premultiplied), top row first. Returns 0 when kept, -1 when the bytes were not to be
// decoded, the pixels are not of the size the bytes declare, or memory runs out.
EMSCRIPTEN_KEEPALIVE int KaveloWebAddPicture(const std::uint8_t* bytes, std::size_t size, const std::uint8_t* rgba,
                                             int width, int height) {
  try {
    std::size_t range[2];
    if (KaveloWebPictureToDecode(bytes, size, range) == 0 || range[0] != 0 || range[1] != size || rgba == nullptr) {
      return -1;
    }
    const auto declared = kavelo::image::ReadDeclaredSize(bytes, size);
    if (width != declared.width || height != declared.height) return -1;
    kavelo::image::Preloaded entry{std::vector<std::uint8_t>(bytes, bytes + size), {}};
    if (!entry.picture.Allocate(width, height)) return -1;
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::uint8_t* out = entry.picture.pixels.get();
    for (std::size_t i = 0; i < pixels; ++i, out += 4, rgba += 4) {
      out[0] = rgba[2];
      out[1] = rgba[1];
      out[2] = rgba[0];
      out[3] = rgba[3];
    }
    auto& store = ThePreloaded();
    store.heldBytes += entry.picture.Pitch() * static_cast<std::size_t>(height);
    store.pictures.emplace(kavelo::image::HashOf(bytes, size), std::move(entry));
    return 0;
  } catch (...) {
    return -1;
  }
}

// Forgets every preloaded picture, for a page that changes its artwork.
EMSCRIPTEN_KEEPALIVE void KaveloWebForgetPictures() {
  auto& store = ThePreloaded();
  store.pictures.clear();
  store.heldBytes = 0;
}

}  // extern "C"
