// The link search on 255 x 255 boards, beside the breadth-first search of the tests on the
// same boards and the same pairs. Each iteration tries every pair of the board's list.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "logic/KaveloInternal.h"
#include "tests/logic/BoardBuilder.h"
#include "tests/logic/LinkBfs.h"

namespace {

constexpr int kSide = 255;
constexpr int kPairs = 256;  // pairs tried per iteration on the random boards

struct Pair {
  int x1, y1, x2, y2;
};

struct Scene {
  std::string name;
  std::unique_ptr<CKaveloInternal> board;
  std::vector<Pair> pairs;
};

// Random pairs of same-kind tiles.
std::vector<Pair> SameKindPairs(const CKaveloInternal& board, std::mt19937& random) {
  std::vector<std::vector<std::pair<int, int>>> byKind(256);
  for (int y = 0; y < board.Height(); ++y) {
    for (int x = 0; x < board.Width(); ++x) {
      const int kind = board.GetTile(x, y);
      if (kind != 0) byKind[kind].push_back({x, y});
    }
  }
  std::vector<Pair> pairs;
  std::uniform_int_distribution<int> anyKind(1, 255);
  while (pairs.size() < kPairs) {
    const auto& cells = byKind[anyKind(random)];
    if (cells.size() < 2) continue;
    std::uniform_int_distribution<std::size_t> pick(0, cells.size() - 1);
    const auto a = cells[pick(random)];
    const auto b = cells[pick(random)];
    if (a != b) pairs.push_back({a.first, a.second, b.first, b.second});
  }
  return pairs;
}

std::unique_ptr<CKaveloInternal> DealtBoard(std::uint8_t kinds, std::uint8_t copies) {
  auto board = std::make_unique<CKaveloInternal>();
  board->SetClocks({[] { return 12345u; }, [] { return 1700000000u; }});
  board->InitBoard(kSide, kSide, kinds, copies);
  board->Shuffle(ShuffleSpread);
  return board;
}

std::vector<Scene> MakeScenes() {
  std::mt19937 random(99);
  std::vector<Scene> scenes;

  // Typical: a full board, one in mid-game, and a nearly cleared one.
  {
    auto board = DealtBoard(255, 255);
    auto pairs = SameKindPairs(*board, random);
    scenes.push_back({"full", std::move(board), std::move(pairs)});
  }
  {
    auto board = DealtBoard(255, 255);
    std::bernoulli_distribution removed(0.5);
    for (int i = 0; i < kSide * kSide; ++i) {
      if (removed(random)) BoardTestAccess::Tiles(*board)[i] = 0;
    }
    auto pairs = SameKindPairs(*board, random);
    scenes.push_back({"half_cleared", std::move(board), std::move(pairs)});
  }
  {
    auto board = DealtBoard(255, 255);
    std::bernoulli_distribution removed(0.97);
    for (int i = 0; i < kSide * kSide; ++i) {
      if (removed(random)) BoardTestAccess::Tiles(*board)[i] = 0;
    }
    auto pairs = SameKindPairs(*board, random);
    scenes.push_back({"nearly_cleared", std::move(board), std::move(pairs)});
  }

  // Worst cases. Both rows of the ends are free over the whole width, so every column is
  // a candidate, and every column is blocked only by a full row of tiles just above the
  // lower end: no path, after the longest scans.
  {
    std::vector<PlacedTile> tiles = {{10, 10, 1}, {240, 240, 1}};
    for (int x = 0; x < kSide; ++x) tiles.push_back({x, 239, 2});
    scenes.push_back({"no_path_long_scans", BoardWith(kSide, kSide, tiles), {{10, 10, 240, 240}}});
  }
  // The same wall with a gap in the last column: the path is the last candidate.
  {
    std::vector<PlacedTile> tiles = {{10, 10, 1}, {240, 240, 1}};
    for (int x = 0; x < kSide - 1; ++x) tiles.push_back({x, 239, 2});
    scenes.push_back({"last_column_path", BoardWith(kSide, kSide, tiles), {{10, 10, 240, 240}}});
  }
  // A pair in one row with a tile between: the detour through the last row is the only one.
  {
    std::vector<PlacedTile> tiles = {{1, 127, 1}, {253, 127, 1}, {127, 127, 2}};
    for (int x = 0; x < kSide; ++x) {
      if (x != 1 && x != 253) {
        for (int y = 0; y < 254; ++y) {
          if (y != 127 || x == 127) tiles.push_back({x, y, 3});
        }
      }
    }
    scenes.push_back({"one_row_detour_last_row", BoardWith(kSide, kSide, tiles), {{1, 127, 253, 127}}});
  }
  // Two tiles close together in open space: the breadth-first search reaches the second
  // within a few steps.
  scenes.push_back({"close_pair_open_board", BoardWith(kSide, kSide, {{120, 120, 1}, {122, 121, 1}}),
                    {{120, 120, 122, 121}}});
  // The same with a row of tiles between the two ends' rows up to the first end's
  // column: every column before it is tried and fails at once.
  {
    std::vector<PlacedTile> tiles = {{120, 120, 1}, {122, 122, 1}};
    for (int x = 0; x < 120; ++x) tiles.push_back({x, 121, 2});
    scenes.push_back({"close_pair_behind_a_comb", BoardWith(kSide, kSide, tiles), {{120, 120, 122, 122}}});
  }
  // Opposite corners of an empty board: found at once through the border.
  scenes.push_back({"empty_corners", BoardWith(kSide, kSide, {{0, 0, 1}, {254, 254, 1}}), {{0, 0, 254, 254}}});

  // Both searches must agree before their times mean anything.
  CLinkBfs bfs;
  for (const Scene& scene : scenes) {
    for (const Pair& p : scene.pairs) {
      if (scene.board->CanLink(p.x1, p.y1, p.x2, p.y2) != bfs.Linked(*scene.board, p.x1, p.y1, p.x2, p.y2)) {
        std::fprintf(stderr, "searches disagree on %s\n", scene.name.c_str());
        std::abort();
      }
    }
  }
  return scenes;
}

std::vector<Scene>& Scenes() {
  static std::vector<Scene> scenes = MakeScenes();
  return scenes;
}

void BM_FindLink(benchmark::State& state) {
  Scene& scene = Scenes()[state.range(0)];
  state.SetLabel(scene.name);
  int found = 0;
  for (auto _ : state) {
    for (const Pair& p : scene.pairs) found += scene.board->FindLink(p.x1, p.y1, p.x2, p.y2) ? 1 : 0;
    benchmark::DoNotOptimize(found);
  }
  state.counters["pairs_linked"] = static_cast<double>(found) / state.iterations();
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(scene.pairs.size()));
}

void BM_CanLink(benchmark::State& state) {
  Scene& scene = Scenes()[state.range(0)];
  state.SetLabel(scene.name);
  int found = 0;
  for (auto _ : state) {
    for (const Pair& p : scene.pairs) found += scene.board->CanLink(p.x1, p.y1, p.x2, p.y2) ? 1 : 0;
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(scene.pairs.size()));
}

void BM_BreadthFirst(benchmark::State& state) {
  Scene& scene = Scenes()[state.range(0)];
  state.SetLabel(scene.name);
  CLinkBfs bfs;
  int found = 0;
  for (auto _ : state) {
    for (const Pair& p : scene.pairs) found += bfs.Linked(*scene.board, p.x1, p.y1, p.x2, p.y2) ? 1 : 0;
    benchmark::DoNotOptimize(found);
  }
  state.counters["pairs_linked"] = static_cast<double>(found) / state.iterations();
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(scene.pairs.size()));
}

void AllScenes(benchmark::internal::Benchmark* bench) {
  for (std::size_t i = 0; i < Scenes().size(); ++i) bench->Arg(static_cast<int>(i));
}

BENCHMARK(BM_FindLink)->Apply(AllScenes);
BENCHMARK(BM_CanLink)->Apply(AllScenes);
BENCHMARK(BM_BreadthFirst)->Apply(AllScenes);

}  // namespace
