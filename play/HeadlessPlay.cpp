#include "HeadlessPlay.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "FrameSnapshot.h"
#include "HeadlessPlatform.h"
#include "PlayHost.h"
#include "PlaySources.h"

namespace kavelo::play {
namespace {

constexpr int kTicksPerMove = 3;    // the player thinks for 0.3 s of game time per pair
constexpr int kMaxShufflesInARow = 20;
constexpr int kPlanBudgetMs = 500;  // the search for a clearing before the player falls back on hints

class Snapshots {
 public:
  Snapshots(const PlaySettings& settings, PlayHost& host) : m_dir(settings.outDir), m_host(host) {
    if (!m_dir.empty()) std::filesystem::create_directories(m_dir);
  }
  void Take(const std::string& name) {
    if (m_dir.empty()) return;
    if (WriteFramePng(m_dir + "/" + name + ".png", m_host.Frame(), m_host.FrameWidth(), m_host.FrameHeight())) ++count;
  }
  int count = 0;

 private:
  std::string m_dir;
  PlayHost& m_host;
};

// The next move: the solver's clearing while there is one, else a hint.
bool NextMove(PlayHost& host, std::vector<KaveloMove>& plan, KaveloMove& move) {
  if (plan.empty() && host.Solve(plan, kPlanBudgetMs) == KaveloSolved) std::reverse(plan.begin(), plan.end());
  if (plan.empty()) return host.FindHint(move);
  move = plan.back();
  plan.pop_back();
  return true;
}

}  // namespace

HeadlessSummary PlayHeadless(const PlaySettings& settings) {
  HeadlessSummary summary;
  BeginHeadless(settings.fast);
  {
    PlayHost host(settings);
    Snapshots snapshots(settings, host);
    if (!host.NewGame(AskedDeal(settings, SystemSources().unixSeconds()))) {
      summary.setUpFailed = true;
    } else {
      int ticksSinceMove = 0, shufflesInARow = 0, nextSnapshot = settings.snapshotEvery;
      std::vector<KaveloMove> plan;
      bool first = true;
      while (host.GameOutcome() == Outcome::Playing) {
        ServeClock(settings.fast);
        if (!host.TakeFrame()) continue;
        if (first) snapshots.Take("first"), first = false;
        const int used = settings.seconds - host.Status().secondsLeft;
        if (used >= nextSnapshot) {
          snapshots.Take("second-" + std::to_string(used));
          nextSnapshot += settings.snapshotEvery;
        }
        if (++ticksSinceMove < kTicksPerMove) continue;
        ticksSinceMove = 0;
        KaveloMove move{};
        if (NextMove(host, plan, move)) {
          host.Click({move.x1, move.y1});
          const int result = host.Click({move.x2, move.y2});
          if (result != KAVELO_CLICK_CONNECT && result != KAVELO_CLICK_WIN) plan.clear();  // off the plan: ask again
          shufflesInARow = 0;
        } else if (shufflesInARow < kMaxShufflesInARow) {
          // The board seeds its shuffles from the clocks; a game run faster than real time
          // waits a moment so that shuffles in a row do not repeat one permutation.
          if (settings.fast) std::this_thread::sleep_for(std::chrono::milliseconds(2));
          host.Shuffle(shufflesInARow % 2 == 0 ? KAVELO_SHUFFLE_MIX : KAVELO_SHUFFLE_SPREAD);
          plan.clear();
          ++summary.shuffles, ++shufflesInARow;
        }
      }
      for (int i = 0; i < 10; ++i) ServeClock(settings.fast);  // the last trail fades out
      snapshots.Take("last");
      const GameStatus status = host.Status();
      summary.won = host.GameOutcome() == Outcome::Won;
      summary.seconds = settings.seconds - status.secondsLeft;
      summary.score = status.score;
      summary.pairs = status.pairs;
      summary.misses = status.misses;
    }
    summary.snapshots = snapshots.count;
  }
  EndHeadless(settings.fast);
  return summary;
}

std::string SummaryLine(const HeadlessSummary& s) {
  char line[160];
  std::snprintf(line, sizeof line, "%s %d s, score %d, pairs %d, misses %d, shuffles %d", s.won ? "won" : "lost",
                s.seconds, s.score, s.pairs, s.misses, s.shuffles);
  return line;
}

}  // namespace kavelo::play
