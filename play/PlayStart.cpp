#include "PlayStart.h"

#include <cstdio>

#include "FolderStore.h"
#include "HeadlessPlay.h"
#include "OptionCheck.h"
#include "UserFolders.h"

namespace kavelo::play {

void WarnOnStderr(const std::string& warning) { std::fprintf(stderr, "kavelo-play: %s\n", warning.c_str()); }

int SetUpFailed(const PlaySettings& settings) {
  std::fprintf(stderr, "The game could not be set up from the artwork in %s\n", settings.artDir.c_str());
  return 1;
}

int PlayHeadlessAndReport(const PlaySettings& settings) {
  const HeadlessSummary summary = PlayHeadless(settings);
  if (summary.setUpFailed) return SetUpFailed(settings);
  std::puts(SummaryLine(summary).c_str());
  return 0;
}

int RunPlayer(int argc, char** argv, const std::string& defaultArtDir, const PlayGame& play) {
  std::string error;
  const auto settings = ParseSettings({argv + 1, argv + argc}, defaultArtDir, error);
  if (!settings) {
    std::fputs(error.c_str(), stderr);
    return error.rfind("usage", 0) == 0 ? 0 : 2;
  }
  FolderStore store(StateFolder(), DataFolder());
  GameKeeper keeper(store, BoardOf(*settings), WarnOnStderr);
  if (settings->best) {
    std::fputs(keeper.Report().c_str(), stdout);
    return 0;
  }
  if (const std::string refused = RefusedOptions(*settings); !refused.empty()) {
    WarnOnStderr(refused);
    return 2;
  }
  return play(*settings, keeper);
}

}  // namespace kavelo::play
