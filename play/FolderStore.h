#pragma once
// The player's records as files: the state shelf and the data shelf are two folders
// (the XDG ones, or %LOCALAPPDATA% and %APPDATA%), each file written whole.

#include <filesystem>

#include "PlayStore.h"

namespace kavelo::play {

class FolderStore : public PlayStore {
 public:
  // An empty folder keeps nothing: the system named no place for it.
  FolderStore(std::filesystem::path stateFolder, std::filesystem::path dataFolder)
      : m_state(std::move(stateFolder)), m_data(std::move(dataFolder)) {}

  ReadResult Read(Shelf shelf, const std::string& name, std::size_t limit, std::string& bytes,
                  std::string& error) override;
  bool Replace(Shelf shelf, const std::string& name, std::string_view bytes, std::string& error) override;
  bool Remove(Shelf shelf, const std::string& name, std::string& error) override;
  bool Rename(Shelf shelf, const std::string& name, const std::string& newName, std::string& error) override;
  std::string Where(Shelf shelf, const std::string& name) const override;

 private:
  std::filesystem::path PathOf(Shelf shelf, const std::string& name) const;

  std::filesystem::path m_state, m_data;
};

}  // namespace kavelo::play
