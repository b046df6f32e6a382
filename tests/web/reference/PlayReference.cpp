// The frames kavelo-play's core composes here for a fixed game and a fixed run of the
// player's moves, for the page's frames to be compared with byte for byte.
//   kavelo_play_reference <art> <out>
// Writes play-saved-game (the record the page finds in its storage: the same game), one
// play-<n>.rgba a step (the frame as the canvas holds it) and play-steps.json (the hinted
// pair, which the page must hint too).
#include <fstream>
#include <functional>
#include <iostream>

#include "MemoryStore.h"
#include "PlaySession.h"

using namespace kavelo::play;

namespace {

bool Write(const std::string& path, const char* bytes, std::size_t size) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes, static_cast<std::streamsize>(size));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return std::cerr << "usage: kavelo_play_reference <art> <out>\n", 2;
  PlaySettings settings;  // the page's board on a landscape screen
  settings.artDir = argv[1];
  const std::string out = argv[2];
  MemoryStore store;
  const auto warn = [](const std::string& w) { std::cerr << w << '\n'; };
  GameKeeper keeper(store, BoardOf(settings), warn);
  {
    PlayHost dealer(settings);
    PlaySession deal(dealer, settings, keeper);
    if (!deal.Start()) return std::cerr << "no game set up from " << argv[1] << '\n', 1;
    deal.Keep();
  }
  std::string saved, error;
  store.Read(Shelf::State, keeper.SavedGameName(), 1u << 20, saved, error);
  if (saved.empty() || !Write(out + "/play-saved-game", saved.data(), saved.size())) return 1;

  PlayHost host(settings);
  PlaySession session(host, settings, keeper);
  session.Start();  // resumes the game, paused
  KaveloMove hinted{};
  const std::function<void()> steps[] = {
      [] {},
      [&] { session.Press(PlayKey::Pause); },
      [&] { session.Press(PlayKey::Right), session.Press(PlayKey::Right), session.Press(PlayKey::Down); },
      [&] {
        session.Press(PlayKey::Hint);
        if (session.HintedPair()) hinted = *session.HintedPair();
      },
      [&] { session.Click({hinted.x1, hinted.y1}), session.Click({hinted.x2, hinted.y2}); },
      [&] { session.Press(PlayKey::Mute), session.Press(PlayKey::Pause); },
  };
  int n = 0;
  for (const auto& step : steps) {
    step();
    host.InputEvent(L"type," KAVELO_TEXT(KAVELO_EVENT_TICK) L";");
    session.ComposeFrame();
    std::vector<char> rgba = session.ShownFrame();
    for (std::size_t i = 0; i < rgba.size(); i += 4) std::swap(rgba[i], rgba[i + 2]), rgba[i + 3] = char(255);
    if (!Write(out + "/play-" + std::to_string(n++) + ".rgba", rgba.data(), rgba.size())) return 1;
  }
  std::ofstream(out + "/play-steps.json") << "{\"steps\": " << n << ", \"hinted\": [" << hinted.x1 << ',' << hinted.y1
                                           << ',' << hinted.x2 << ',' << hinted.y2 << "], \"width\": "
                                           << host.FrameWidth() << ", \"height\": " << host.FrameHeight() << "}\n";
  return 0;
}
