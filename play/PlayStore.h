#pragma once
// Where kavelo-play keeps the player's bytes: the game in progress and the best times,
// each a small named record read and replaced whole. Files in the user's folders on the
// desktop, the browser's local storage on the page, memory in tests.

#include <cstddef>
#include <string>
#include <string_view>

namespace kavelo::play {

enum class ReadResult { Read, Missing, Failed };

// The two shelves: the game in progress is state, the best times are the player's data.
enum class Shelf { State, Data };

class PlayStore {
 public:
  virtual ~PlayStore() = default;

  // Reads the record of at most `limit` bytes; Failed, with the reason in `error`, when it
  // exists but cannot be read or is larger.
  virtual ReadResult Read(Shelf shelf, const std::string& name, std::size_t limit, std::string& bytes,
                          std::string& error) = 0;
  // Replaces the record whole: on failure the old one is left as it was.
  virtual bool Replace(Shelf shelf, const std::string& name, std::string_view bytes, std::string& error) = 0;
  // Removes the record; a missing one is no error.
  virtual bool Remove(Shelf shelf, const std::string& name, std::string& error) = 0;
  // Gives the record another name, in place of any record of that name.
  virtual bool Rename(Shelf shelf, const std::string& name, const std::string& newName, std::string& error) = 0;
  // Where the record lies, for messages: a path, a storage key. Empty when the shelf has
  // no place (the system named none), and then nothing is kept there.
  virtual std::string Where(Shelf shelf, const std::string& name) const = 0;
};

}  // namespace kavelo::play
