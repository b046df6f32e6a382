#include "PlayAddress.h"

#include <utility>

namespace kavelo::play {

std::vector<std::string> AddressArguments(std::string_view query) {
  if (!query.empty() && query.front() == '?') query.remove_prefix(1);
  std::vector<std::string> args;
  while (!query.empty()) {
    const std::size_t end = query.find('&');
    const std::string_view pair = query.substr(0, end);
    query.remove_prefix(end == std::string_view::npos ? query.size() : end + 1);
    if (pair.empty()) continue;
    const std::size_t equals = pair.find('=');
    const std::string name(pair.substr(0, equals));
    const bool board = name == "columns" || name == "rows" || name == "kinds" || name == "copies" || name == "seconds";
    if (board) {
      args.push_back("--");
      args.back() += name;
      args.emplace_back(equals == std::string_view::npos ? "" : pair.substr(equals + 1));
    } else if ((name == "style" || name == "cell") && equals != std::string_view::npos) {  // how tiles are drawn
      args.push_back("--" + name);
      args.emplace_back(pair.substr(equals + 1));
    } else if (name == "new" && equals == std::string_view::npos) {
      args.emplace_back("--new");
    } else {
      // Anything else, --art and --headless among them, is unknown to the page.
      args.emplace_back(1, '?');
      args.back() += pair;
    }
  }
  return args;
}

void FitBoardTo(PlaySettings& settings, bool portraitScreen) {
  if (portraitScreen && settings.columns > settings.rows) std::swap(settings.columns, settings.rows);
}

}  // namespace kavelo::play
