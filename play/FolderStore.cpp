#include "FolderStore.h"

#include <system_error>

#include "WholeFiles.h"

namespace kavelo::play {
namespace fs = std::filesystem;

fs::path FolderStore::PathOf(Shelf shelf, const std::string& name) const {
  const fs::path& folder = shelf == Shelf::State ? m_state : m_data;
  return folder.empty() ? fs::path() : folder / Utf8Path(name);
}

std::string FolderStore::Where(Shelf shelf, const std::string& name) const { return Utf8Text(PathOf(shelf, name)); }

ReadResult FolderStore::Read(Shelf shelf, const std::string& name, std::size_t limit, std::string& bytes,
                             std::string& error) {
  const fs::path path = PathOf(shelf, name);
  if (path.empty()) return ReadResult::Missing;
  return ReadWholeFile(path, limit, bytes, error);
}

bool FolderStore::Replace(Shelf shelf, const std::string& name, std::string_view bytes, std::string& error) {
  const fs::path path = PathOf(shelf, name);
  if (path.empty()) {
    error = "no folder to keep it in (HOME is not set)";
    return false;
  }
  return ReplaceWholeFile(path, bytes, error);
}

bool FolderStore::Remove(Shelf shelf, const std::string& name, std::string& error) {
  const fs::path path = PathOf(shelf, name);
  if (path.empty()) return true;
  std::error_code ec;
  fs::remove(path, ec);
  if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory) {
    error = ec.message();
    return false;
  }
  return true;
}

bool FolderStore::Rename(Shelf shelf, const std::string& name, const std::string& newName, std::string& error) {
  const fs::path from = PathOf(shelf, name), to = PathOf(shelf, newName);
  if (from.empty()) return true;
  std::error_code ec;
  fs::rename(from, to, ec);
  if (ec) error = ec.message();
  return !ec;
}

}  // namespace kavelo::play
