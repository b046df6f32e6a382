#pragma once
// The board of one game: the tile grid, the link trail, the selection and the counters
// the host can query. Pure logic: no pixels, files or sounds. The board keeps its own
// rules: the host configures it and reads it through the calls below, the renderer
// through a const board.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <PlgKavelo/KaveloProtocol.h>

#include "logic/BoardSolver.h"
#include "logic/CellLinks.h"
#include "logic/DealStream.h"
#include "logic/GridCells.h"
#include "logic/KaveloClocks.h"
#include "logic/KaveloRandom.h"
#include "logic/TileFall.h"

namespace kavelo::logic {
class ByteReader;
class ByteWriter;
}  // namespace kavelo::logic

// What a click on the board came to, and the shuffle modes: the protocol's own numbers,
// which the host hands on as they are (each click result is also the id of its sound).
enum ClickResult : int {
  Wrong = KAVELO_CLICK_WRONG,      // another kind, or no path: the clicked tile is now selected
  Connect = KAVELO_CLICK_CONNECT,  // the pair was linked and removed, tiles remain
  Cancel = KAVELO_CLICK_CANCEL,    // outside the grid or an empty cell: nothing is selected
  Choose = KAVELO_CLICK_CHOOSE,    // a tile is (still) selected
  Win = KAVELO_CLICK_WIN,          // the pair was removed and the board is clear
};

// Why the last pair of clicks was not linked: the protocol's numbers.
enum PairMiss : int {
  MissNone = KAVELO_MISS_NONE,    // linked, or no pair judged yet
  MissKinds = KAVELO_MISS_KINDS,  // two different kinds
  MissPath = KAVELO_MISS_PATH,    // one kind, no path of at most three segments
};

enum ShuffleMode : std::uint8_t {
  ShuffleScatter = KAVELO_SHUFFLE_SCATTER,  // swap the corner cell with random cells, border ring included
  ShuffleMix = KAVELO_SHUFFLE_MIX,          // swap kinds among the occupied cells
  ShuffleCompact = KAVELO_SHUFFLE_COMPACT,  // pack the tiles into the interior, then mix
  ShuffleSpread = KAVELO_SHUFFLE_SPREAD,    // compact, then move the gaps around the interior
};

class CKaveloInternal {
 public:
  CKaveloInternal();
  virtual ~CKaveloInternal();
  CKaveloInternal(const CKaveloInternal&) = delete;
  CKaveloInternal& operator=(const CKaveloInternal&) = delete;

  bool InitBoard(std::uint8_t width, std::uint8_t height, std::uint8_t kinds, std::uint8_t copies);
  std::uint8_t GetTile(std::uint8_t x, std::uint8_t y) const;

  bool FindLink(std::uint8_t x1, std::uint8_t y1, std::uint8_t x2, std::uint8_t y2);
  bool IsRowClear(std::uint8_t y, std::uint8_t nearX, std::uint8_t farX) const;
  bool IsColumnClear(std::uint8_t x, std::uint8_t nearY, std::uint8_t farY) const;
  bool MarkTrail(std::uint8_t x1, std::uint8_t y1, std::uint8_t x2, std::uint8_t y2);
  void AdvanceTrail();

  // x and y count by their low 16 bits, read as signed numbers. `result` receives a
  // ClickResult, except on a board that is not ready (false, result untouched).
  bool ClickCell(int x, int y, int& result);
  bool RemoveTile(std::uint8_t x, std::uint8_t y);

  void Shuffle(std::uint8_t mode);

  // A pair of same-kind tiles that FindLink would join now, without marking or changing
  // anything; false when there is none (or the board is not ready).
  bool FindHint(kavelo::logic::CellPair& hint) const;

  // Whether FindLink would join the two cells now; marks nothing.
  bool CanLink(std::uint8_t x1, std::uint8_t y1, std::uint8_t x2, std::uint8_t y2) const;

  // The clocks that seed the shuffles and time the solver; a function left empty keeps
  // the system's clock.
  void SetClocks(KaveloClocks clocks);

  // Looks for links that clear the board, in order, within `budgetMs` of the tick clock;
  // changes nothing. A board not ready is Unknown.
  SolveVerdict Solve(std::vector<kavelo::logic::CellPair>& moves, std::uint32_t budgetMs) const;
  // The first move of a clearing found within `budgetMs`, else FindHint's pair.
  bool FindSafeHint(kavelo::logic::CellPair& hint, std::uint32_t budgetMs) const;

  // From now on every shuffle, the set-up's deal included, seeds from `number`'s own
  // stream instead of the clocks, so one number, set-up and moves give one board on every
  // platform. The number stays with the board and its saved game.
  void DealByNumber(std::uint64_t number);
  std::optional<std::uint64_t> DealNumber() const;

  // The rule variant: under gravity every removal, by click or redo, lets the tiles of the
  // pair's interior lines fall (TileFall.h), and every search that plays moves ahead (the
  // solver, clearable dealing) plays them with the falls. Set before dealing.
  void SetGravity(kavelo::logic::Gravity gravity) { m_gravity = gravity; }
  kavelo::logic::Gravity Gravity() const { return m_gravity; }

  // Why the last pair judged by a click was not linked; MissNone before any pair.
  PairMiss LastMiss() const { return m_lastMiss; }

  // Whether every shuffle gives its occupied cells kinds in an order that can be cleared.
  void SetSolvableShuffles(bool on) { m_solvableShuffles = on; }

  // Puts the last removed pair back, or removes the last pair put back again, with its
  // score step, pair count and tiles left; clears the selection. False when there is
  // nothing to take back (or put back).
  bool Undo();
  bool Redo();

  // Adds seconds used to the elapsed time, which stops at the time limit; true when the
  // limit is reached, which ends the game. A limit of 0 is reached at once.
  bool AddSeconds(std::uint32_t seconds);

  // The board as a saved game keeps it (BoardSave.cpp), in the newest format
  // (kSaveFormat): the size, kinds and copies, trail frames, clearable-shuffle setting,
  // selection, counters, score step, time, the deal's number, both grids and the undo and
  // redo history with each removal's fall. False, writing nothing, on a board not ready.
  static constexpr std::uint32_t kSaveFormat = 2;
  bool SaveState(kavelo::logic::ByteWriter& out) const;
  // Reads what SaveState wrote in `format` (the first had no deal number and no variant), up to the
  // reader's end, into this freshly constructed board. False, with the board not ready,
  // unless every field is there and play could have left the board so: kinds within the
  // count, each kind's count no more than was dealt and of the same parity, tiles left and
  // pairs that agree with the tiles, time within the limit, trail values within the
  // frames, the selection on a tile (or on a cell that a shuffle left empty, with no
  // history), a history that replays, and no number or draws kept for a clock's deal.
  bool LoadState(kavelo::logic::ByteReader& in, std::uint32_t format);

  // What the host configures.
  void SetScoreStep(std::int32_t step) { m_scoreStep = step; }
  void SetTimeLimit(std::uint32_t seconds) { m_timeLimit = seconds; }
  void SetTrailFrames(std::uint8_t frames) { m_trailFrames = frames; }

  // What the host queries and the renderer draws. Both grids are row by row, cell (x, y)
  // at y * Width() + x, and null while there is no grid.
  bool Ready() const { return m_boardReady; }
  std::uint8_t Width() const { return m_width; }
  std::uint8_t Height() const { return m_height; }
  std::uint8_t KindCount() const { return m_kindCount; }
  bool SolvableShuffles() const { return m_solvableShuffles; }
  const std::uint8_t* Tiles() const { return m_tiles.get(); }
  const std::int8_t* Trail() const { return m_trail.get(); }
  std::int16_t SelX() const { return m_selX; }
  std::int16_t SelY() const { return m_selY; }
  std::int16_t Misses() const { return m_misses; }
  std::int16_t PairsRemoved() const { return m_pairsRemoved; }
  std::int32_t TilesLeft() const { return m_tilesLeft; }
  std::uint32_t Elapsed() const { return m_elapsed; }
  std::uint32_t TimeLimit() const { return m_timeLimit; }
  std::uint32_t SecondsLeft() const { return m_timeLimit - m_elapsed; }
  std::int32_t Score() const { return m_score; }

 private:
  // Tests and benchmarks set up positions that play would take long to reach.
  friend struct BoardTestAccess;

  static constexpr int kMaxTrailFrames = 127;  // the trail counters are signed bytes

  // Fields, in the board's order.
  std::uint8_t m_width = 0;          // columns, border ring included
  std::uint8_t m_height = 0;         // rows, border ring included
  std::uint8_t m_kindCount = 0;
  std::uint8_t m_copiesPerKind = 0;
  bool m_boardReady = false;
  std::uint8_t m_trailFrames = 10;   // ticks a trail cell stays lit
  std::unique_ptr<std::uint8_t[]> m_tiles;  // kind per cell, 0 empty; cell (x, y) at y * width + x
  std::unique_ptr<std::int8_t[]> m_trail;   // ticks of trail left per cell
  std::int16_t m_selX = -1;          // selected cell, -1 for none
  std::int16_t m_selY = -1;
  std::int16_t m_misses = 0;
  std::int16_t m_pairsRemoved = 0;
  std::int32_t m_tilesLeft = 0;
  std::uint32_t m_elapsed = 0;       // seconds used
  std::int32_t m_score = 0;
  std::int32_t m_scoreStep = 0;
  std::uint32_t m_timeLimit = 0;     // seconds allowed
  bool m_solvableShuffles = false;   // shuffles deal kinds in a clearable order
  kavelo::logic::Gravity m_gravity = kavelo::logic::Gravity::None;  // the rule variant
  PairMiss m_lastMiss = MissNone;    // why the last pair clicked was not linked

  // A removed pair as it was linked, with the score it brought and the tiles that fell
  // after it, in the order they moved.
  struct RemovedPair {
    std::uint8_t x1, y1, x2, y2, kind1, kind2;
    kavelo::logic::PathCorners path;
    std::int32_t scoreStep;
    std::vector<kavelo::logic::TileMove> fall;
  };

  // Tiles of each kind, indexed by kind (0 counts empty cells).
  using KindCounts = std::vector<std::int32_t>;
  KindCounts CountKinds(const std::uint8_t* grid) const;
  // The checks of LoadState, on a board read back whose grids came from `dealt`.
  bool TilesAgree(const KindCounts& dealt, std::int32_t dealtTiles) const;
  bool SelectionAgrees() const;
  bool TrailInRange() const;
  bool HistoryReplays(const KindCounts& dealt) const;
  // Whether the pair names two cells of the grid holding one kind of the board and a path
  // whose corners lie in the grid; and whether on `grid` the link search joins its cells
  // by its own path.
  bool PairInRange(const RemovedPair& pair) const;
  bool LinksAlongPath(const std::vector<std::uint8_t>& grid, const RemovedPair& pair) const;
  // Whether the pair's recorded fall is the one the variant makes when the pair leaves
  // `grid` (which holds it): on true, `grid` is left as after the removal and fall.
  bool FallsAsRecorded(std::vector<std::uint8_t>& grid, const RemovedPair& pair) const;
  // Takes the pair and the fall it starts off the board's grid, recording the fall.
  void RemoveWithFall(RemovedPair& pair);

  bool SearchLink(int x1, int y1, int x2, int y2, kavelo::logic::PathCorners& path) const;
  void MarkPath(const RemovedPair& pair, bool lit);
  void ForgetMoves();
  void DealClearableKinds();
  // The shuffles' seeds: from the clocks, or the next draws of a numbered deal.
  std::uint32_t TickSeed();
  std::uint32_t CalendarSeed();
  std::uint64_t ClearableSeed();
  bool InGrid(int x, int y) const;
  std::uint8_t TileAt(int x, int y) const;  // 0 outside the grid or without one
  void ScatterCorner();
  void MixOccupied();
  void SpreadInterior();

  KaveloClocks m_clocks;
  CKaveloRandom m_random;
  std::unique_ptr<std::uint8_t[]> m_shuffleScratch;  // the compaction's copy of the tiles
  kavelo::logic::PathCorners m_lastPath;  // the path FindLink took last
  std::vector<RemovedPair> m_undoable; // removals, oldest first
  std::vector<RemovedPair> m_redoable; // pairs put back, the latest last
  std::uint64_t m_dealCount = 0;       // clearable dealings so far, to vary their seeds
  std::optional<DealStream> m_deal;    // a numbered deal's stream; none deals by the clocks
};
