#include "LocalStore.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace kavelo::play {
namespace {

// 1 read, 0 missing, -1 refused by the browser, -2 larger than `limit`. The bytes are
// handed over in memory of malloc's, which the caller frees.
EM_JS(int, KaveloStoreRead, (const char* key, int limit, unsigned char** out, int* size), {
  let text;
  try { text = localStorage.getItem(UTF8ToString(key)); } catch (e) { return -1; }
  if (text === null) return 0;
  if (text.length > limit) return -2;
  const at = _malloc(Math.max(text.length, 1));
  if (!at) return -1;
  for (let i = 0; i < text.length; i++) HEAPU8[at + i] = text.charCodeAt(i) & 255;
  HEAP32[out >> 2] = at;
  HEAP32[size >> 2] = text.length;
  return 1;
});

EM_JS(int, KaveloStoreWrite, (const char* key, const unsigned char* bytes, int size), {
  let text = "";
  for (let i = 0; i < size; i += 8192) {
    text += String.fromCharCode.apply(null, HEAPU8.subarray(bytes + i, bytes + Math.min(i + 8192, size)));
  }
  try { localStorage.setItem(UTF8ToString(key), text); return 1; } catch (e) { return 0; }
});

EM_JS(int, KaveloStoreRemove, (const char* key), {
  try { localStorage.removeItem(UTF8ToString(key)); return 1; } catch (e) { return 0; }
});

EM_JS(int, KaveloStoreRename, (const char* from, const char* to), {
  try {
    const text = localStorage.getItem(UTF8ToString(from));
    if (text === null) return 1;
    localStorage.setItem(UTF8ToString(to), text);
    localStorage.removeItem(UTF8ToString(from));
    return 1;
  } catch (e) { return 0; }
});

constexpr char kRefused[] = "the browser's storage refused it (full, or storage is off)";

}  // namespace

std::string LocalStore::Where(Shelf shelf, const std::string& name) const {
  return std::string(shelf == Shelf::State ? "kavelo-play/state/" : "kavelo-play/data/") + name;
}

ReadResult LocalStore::Read(Shelf shelf, const std::string& name, std::size_t limit, std::string& bytes,
                            std::string& error) {
  unsigned char* at = nullptr;
  int size = 0;
  const int capped = static_cast<int>(std::min<std::size_t>(limit, 1u << 30));
  const int got = KaveloStoreRead(Where(shelf, name).c_str(), capped, &at, &size);
  const std::unique_ptr<unsigned char, decltype(&std::free)> owned(at, &std::free);
  if (got == 0) return ReadResult::Missing;
  if (got < 0) {
    error = Where(shelf, name) + ": " + (got == -2 ? "larger than " + std::to_string(limit) + " bytes" : kRefused);
    return ReadResult::Failed;
  }
  bytes.assign(reinterpret_cast<const char*>(at), static_cast<std::size_t>(size));
  return ReadResult::Read;
}

bool LocalStore::Replace(Shelf shelf, const std::string& name, std::string_view bytes, std::string& error) {
  if (KaveloStoreWrite(Where(shelf, name).c_str(), reinterpret_cast<const unsigned char*>(bytes.data()),
                       static_cast<int>(bytes.size())) == 1) {
    return true;
  }
  error = kRefused;
  return false;
}

bool LocalStore::Remove(Shelf shelf, const std::string& name, std::string& error) {
  if (KaveloStoreRemove(Where(shelf, name).c_str()) == 1) return true;
  error = kRefused;
  return false;
}

bool LocalStore::Rename(Shelf shelf, const std::string& name, const std::string& newName, std::string& error) {
  if (KaveloStoreRename(Where(shelf, name).c_str(), Where(shelf, newName).c_str()) == 1) return true;
  error = kRefused;
  return false;
}

}  // namespace kavelo::play
