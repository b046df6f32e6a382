#pragma once
// The player's records in memory, for as long as the object lives: for tests, and for a
// game played where nothing may be kept.

#include <map>

#include "PlayStore.h"

namespace kavelo::play {

class MemoryStore : public PlayStore {
 public:
  ReadResult Read(Shelf shelf, const std::string& name, std::size_t limit, std::string& bytes,
                  std::string& error) override;
  bool Replace(Shelf shelf, const std::string& name, std::string_view bytes, std::string& error) override;
  bool Remove(Shelf shelf, const std::string& name, std::string& error) override;
  bool Rename(Shelf shelf, const std::string& name, const std::string& newName, std::string& error) override;
  std::string Where(Shelf shelf, const std::string& name) const override;

 private:
  std::map<std::string, std::string> m_records;  // by Where()
};

}  // namespace kavelo::play
