#pragma once
// The player's records in the browser's local storage: one item a record, under
// "kavelo-play/state/<name>" and "kavelo-play/data/<name>", its bytes kept as the
// characters of the same codes. Storage that is full or refused fails as a full disk does.

#include "PlayStore.h"

namespace kavelo::play {

class LocalStore : public PlayStore {
 public:
  ReadResult Read(Shelf shelf, const std::string& name, std::size_t limit, std::string& bytes,
                  std::string& error) override;
  bool Replace(Shelf shelf, const std::string& name, std::string_view bytes, std::string& error) override;
  bool Remove(Shelf shelf, const std::string& name, std::string& error) override;
  bool Rename(Shelf shelf, const std::string& name, const std::string& newName, std::string& error) override;
  std::string Where(Shelf shelf, const std::string& name) const override;
};

}  // namespace kavelo::play
