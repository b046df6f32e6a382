#include "PlayAddress.h"

#include <tuple>
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
    const bool board = name == "columns" || name == "rows" || name == "kinds" || name == "copies" ||
                       name == "seconds" || name == "deal" || name == "gravity";
    if (board) {
      args.push_back("--");
      args.back() += name;
      args.emplace_back(equals == std::string_view::npos ? "" : pair.substr(equals + 1));
    } else if ((name == "style" || name == "cell") && equals != std::string_view::npos) {  // how tiles are drawn
      args.push_back("--" + name);
      args.emplace_back(pair.substr(equals + 1));
    } else if ((name == "new" || name == "daily") && equals == std::string_view::npos) {
      args.push_back("--" + name);
    } else {
      // Anything else, --art and --headless among them, is unknown to the page.
      args.emplace_back(1, '?');
      args.back() += pair;
    }
  }
  return args;
}

void FitBoardTo(PlaySettings& settings, bool portraitScreen) {
  // A named deal is played on the board its link names, portrait or not.
  if (settings.deal || settings.daily) return;
  if (portraitScreen && settings.columns > settings.rows) std::swap(settings.columns, settings.rows);
}

std::string DealAddress(const PlaySettings& settings, std::uint64_t number) {
  const PlaySettings defaults;
  std::string address;
  for (const auto& [name, value, usual] : {std::tuple{"columns", settings.columns, defaults.columns},
                                           std::tuple{"rows", settings.rows, defaults.rows},
                                           std::tuple{"kinds", settings.kinds, defaults.kinds},
                                           std::tuple{"copies", settings.copies, defaults.copies},
                                           std::tuple{"seconds", settings.seconds, defaults.seconds}}) {
    if (value != usual) address.append(name).append("=").append(std::to_string(value)).append("&");
  }
  if (settings.gravity != 0) address.append("gravity=").append(kGravityNames[settings.gravity]).append("&");
  return address + "deal=" + std::to_string(number);
}

}  // namespace kavelo::play
