#include "MemoryStore.h"

namespace kavelo::play {

std::string MemoryStore::Where(Shelf shelf, const std::string& name) const {
  return (shelf == Shelf::State ? "state/" : "data/") + name;
}

ReadResult MemoryStore::Read(Shelf shelf, const std::string& name, std::size_t limit, std::string& bytes,
                             std::string& error) {
  const auto found = m_records.find(Where(shelf, name));
  if (found == m_records.end()) return ReadResult::Missing;
  if (found->second.size() > limit) {
    error = found->first + ": larger than " + std::to_string(limit) + " bytes";
    return ReadResult::Failed;
  }
  bytes = found->second;
  return ReadResult::Read;
}

bool MemoryStore::Replace(Shelf shelf, const std::string& name, std::string_view bytes, std::string&) {
  m_records[Where(shelf, name)] = std::string(bytes);
  return true;
}

bool MemoryStore::Remove(Shelf shelf, const std::string& name, std::string&) {
  m_records.erase(Where(shelf, name));
  return true;
}

bool MemoryStore::Rename(Shelf shelf, const std::string& name, const std::string& newName, std::string&) {
  const auto found = m_records.find(Where(shelf, name));
  if (found == m_records.end()) return true;
  m_records[Where(shelf, newName)] = std::move(found->second);
  m_records.erase(Where(shelf, name));
  return true;
}

}  // namespace kavelo::play
