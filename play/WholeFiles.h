#pragma once
// kavelo-play's own files, read and written whole: small, so a file is either all old or
// all new. Paths are UTF-8 texts inside the program and filesystem paths at this edge.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "PlayStore.h"

namespace kavelo::play {

inline std::filesystem::path Utf8Path(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}
inline std::string Utf8Text(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}


// Reads a regular file of at most `limit` bytes into `bytes`; Failed with the reason in
// `error` when it cannot be read or is larger.
ReadResult ReadWholeFile(const std::filesystem::path& path, std::size_t limit, std::string& bytes,
                         std::string& error);

// Writes `bytes` to a temporary file beside `path`, creating the folder, and renames it
// over `path`: on failure the old file is left intact and `error` says why.
bool ReplaceWholeFile(const std::filesystem::path& path, std::string_view bytes, std::string& error);

}  // namespace kavelo::play
