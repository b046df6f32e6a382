#include "PlaySettings.h"

#include <charconv>
#include <iterator>

namespace kavelo::play {
namespace {

constexpr const char* kUsage =
    "usage: kavelo-play [--columns N] [--rows N] [--kinds N] [--copies N] [--seconds N]\n"
    "                   [--art DIR] [--window | --headless] [--fast] [--out DIR] [--snapshot-every N]\n"
    "                   [--any-shuffle] [--new] [--best] [--deal N | --daily]\n"
    "                   [--gravity none|down|up|left|right] [--style standard|contrast] [--cell PIXELS]\n"
    "  Plays in a window where there is a display (--window insists), else by itself (--headless).\n"
    "  Shuffles deal boards that can be cleared; --any-shuffle deals them at random.\n"
    "  Quitting keeps the game in progress for the next start on the same board; --new starts\n"
    "  afresh. --best prints the best times of games won without help.\n"
    "  Every deal has a number, shown in the title: --deal N plays deal N again, on any\n"
    "  computer, on the same board options. --daily plays the day's deal (by the date in UTC,\n"
    "  on the default board), the same for everyone; a win without help prints a line to share.\n"
    "  --gravity down makes the tiles fall into the gaps that removed pairs leave (or up,\n"
    "  left, right); its boards stay clearable as they fall.\n"
    "  --style contrast draws dark symbols on white tiles with heavy outlines; --cell draws\n"
    "  the pictures for cells of that many pixels (by default as large as the screen allows).\n"
    "  Keys: the arrows move the cursor, Space or Enter clicks it, P pauses, M turns the\n"
    "  sounds off and on, S shuffles, N starts a new game, A plays this deal again from the\n"
    "  start, D plays the day's deal, H shows a hint, U or Ctrl+Z undoes, R, Ctrl+Y or\n"
    "  Ctrl+Shift+Z redoes, Esc quits.\n";

bool ReadNumber(const std::string& text, int low, int high, int& out) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) return false;
  out = value;
  return true;
}

// 0 to 18446744073709551615, digits only.
bool ReadDeal(const std::string& text, std::uint64_t& out) {
  unsigned long long value = 0;
  if (text.empty() || text.front() < '0' || text.front() > '9') return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  out = value;
  return true;
}

}  // namespace

int GravityNamed(std::string_view name) {
  for (int i = 0; i < static_cast<int>(std::size(kGravityNames)); ++i) {
    if (name == kGravityNames[i]) return i;
  }
  return -1;
}

std::optional<PlaySettings> ParseSettings(const std::vector<std::string>& args, const std::string& defaultArt,
                                          std::string& error) {
  PlaySettings s;
  s.artDir = defaultArt;
  struct NumberOption {
    const char* name;
    int* field;
    int low, high;
  } numbers[] = {
      // The grid holds at most 255 cells a side, two of them the border ring.
      {"--columns", &s.columns, 1, 253}, {"--rows", &s.rows, 1, 253},     {"--kinds", &s.kinds, 1, 255},
      {"--copies", &s.copies, 0, 255},   {"--seconds", &s.seconds, 1, 1000000}, {"--snapshot-every", &s.snapshotEvery, 1, 1000000},
      {"--cell", &s.cell, 24, 256},
  };
  bool boardGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--help" || arg == "-h") {
      error = kUsage;
      return std::nullopt;
    } else if (arg == "--headless") {
      s.headless = true;
    } else if (arg == "--window") {
      s.window = true;
    } else if (arg == "--fast") {
      s.fast = true;
    } else if (arg == "--any-shuffle") {
      s.anyShuffle = true;
    } else if (arg == "--new") {
      s.fresh = true;
    } else if (arg == "--best") {
      s.best = true;
    } else if (arg == "--daily") {
      s.daily = true;
    } else if (arg == "--gravity") {
      s.gravity = hasValue ? GravityNamed(args[++i]) : -1;
      if (s.gravity < 0) {
        error = std::string("--gravity takes none, down, up, left or right\n") + kUsage;
        return std::nullopt;
      }
    } else if (arg == "--deal") {
      std::uint64_t number = 0;
      if (!hasValue || !ReadDeal(args[++i], number)) {
        error = std::string("--deal takes a number from 0 to 18446744073709551615\n") + kUsage;
        return std::nullopt;
      }
      s.deal = number;
    } else if (arg == "--style" && hasValue && (args[i + 1] == "standard" || args[i + 1] == "contrast")) {
      s.contrast = args[++i] == "contrast";
    } else if (arg == "--style") {
      error = std::string("--style takes standard or contrast\n") + kUsage;
      return std::nullopt;
    } else if ((arg == "--art" || arg == "--out") && hasValue) {
      (arg == "--art" ? s.artDir : s.outDir) = args[++i];
    } else {
      bool known = false;
      for (const NumberOption& n : numbers) {
        if (arg != n.name) continue;
        known = true;
        boardGiven = boardGiven || n.field != &s.snapshotEvery;
        if (!hasValue || !ReadNumber(args[++i], n.low, n.high, *n.field)) {
          error = std::string(n.name) + " takes a number from " + std::to_string(n.low) + " to " +
                  std::to_string(n.high) + "\n" + kUsage;
          return std::nullopt;
        }
      }
      if (!known) {
        error = "unknown option " + arg + "\n" + kUsage;
        return std::nullopt;
      }
    }
  }
  if (s.daily && (s.deal || boardGiven)) {
    error = std::string("--daily plays the day's deal on the default board: it takes no --deal and no board "
                        "options\n") + kUsage;
    return std::nullopt;
  }
  if (s.window && s.headless) {
    error = std::string("--window and --headless exclude each other\n") + kUsage;
    return std::nullopt;
  }
  return s;
}

}  // namespace kavelo::play
