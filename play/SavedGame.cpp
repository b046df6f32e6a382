#include "SavedGame.h"

#include <charconv>

namespace kavelo::play {
namespace {

constexpr std::string_view kMagic = "kavelo-play saved game";
constexpr int kVersion = 1;

// Takes the line up to the next newline off the front of `text`; false when there is none.
bool TakeLine(std::string_view& text, std::string_view& line) {
  const std::size_t end = text.find('\n');
  if (end == std::string_view::npos) return false;
  line = text.substr(0, end);
  text.remove_prefix(end + 1);
  return true;
}

// Reads the space-separated numbers after `key` in `line`, exactly `out.size()` of them.
template <std::size_t N>
bool ReadNumbers(std::string_view line, std::string_view key, int (&out)[N]) {
  if (line.substr(0, key.size()) != key) return false;
  const char* p = line.data() + key.size();
  const char* end = line.data() + line.size();
  for (int& value : out) {
    if (p == end || *p != ' ') return false;
    const auto [next, ec] = std::from_chars(p + 1, end, value);
    if (ec != std::errc() || value < 0) return false;
    p = next;
  }
  return p == end;
}

}  // namespace

std::string SavedGameName(const BoardOptions& b) {
  // The plain rule's games keep the names they had before there were variants.
  return "game-" + std::to_string(b.columns) + "x" + std::to_string(b.rows) + "-k" + std::to_string(b.kinds) + "-c" +
         std::to_string(b.copies) + "-s" + std::to_string(b.seconds) +
         (b.gravity > 0 ? std::string("-") + kGravityNames[b.gravity] : "");
}

std::string EncodeSavedGame(const SavedGame& s) {
  const auto n = [](int v) {
    std::string text(1, ' ');
    return text.append(std::to_string(v));
  };
  std::string file = std::string(kMagic) + n(kVersion) + "\nboard" + n(s.board.columns) + n(s.board.rows) +
                     n(s.board.kinds) + n(s.board.copies) + n(s.board.seconds) + "\nhelp" + n(s.helpUsed) + "\n";
  file.append(s.game.begin(), s.game.end());
  return file;
}

std::optional<SavedGame> DecodeSavedGame(std::string_view file, const BoardOptions& board, std::string& why) {
  std::string_view line;
  int version[1], options[5], help[1];
  if (!TakeLine(file, line) || !ReadNumbers(line, kMagic, version)) {
    why = "not a kavelo-play saved game";
    return std::nullopt;
  }
  if (version[0] != kVersion) {
    why = "saved by another version (" + std::to_string(version[0]) + ")";
    return std::nullopt;
  }
  if (!TakeLine(file, line) || !ReadNumbers(line, "board", options) || !TakeLine(file, line) ||
      !ReadNumbers(line, "help", help) || help[0] > 1) {
    why = "a damaged header";
    return std::nullopt;
  }
  SavedGame saved;
  // The variant is the plug-in's save's own, and the file's name says it too.
  saved.board = {options[0], options[1], options[2], options[3], options[4], board.gravity};
  if (!(saved.board == board)) {
    why = "saved on another board";
    return std::nullopt;
  }
  saved.helpUsed = help[0] == 1;
  saved.game.assign(file.begin(), file.end());
  return saved;
}

}  // namespace kavelo::play
