// The gravity variants on the board: what falls after a click, why a pair missed, undo and
// redo after falls, and saved games of each variant.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "logic/SaveBytes.h"
#include "tests/logic/GravityBoards.h"

namespace {

constexpr std::uint32_t kNoHurry = 60000;

struct FallCase {
  const char* name;
  Gravity gravity;
  Rows before;
  Cell first, second;
  Rows after;
};

TEST(LogicGravity, AClickThatRemovesAPairLetsTheInteriorOfItsLinesFall) {
  const FallCase cases[] = {
      {"down moves both columns of a pair in one row, other columns stay", Gravity::Down,
       {"......", ".c.d..", ".e.f.g", ".a.a..", ".g.h..", "......"}, {1, 3}, {3, 3},
       {"......", "......", ".c.d.g", ".e.f..", ".g.h..", "......"}},
      {"up packs a column against its top, keeping the order", Gravity::Up,
       {"......", "......", ".c....", ".a....", ".d....", ".a...."}, {1, 3}, {1, 5},
       {"......", ".c....", ".d....", "......", "......", "......"}},
      {"left moves the rows of a pair in one column", Gravity::Left,
       {"......", "..a.bc", "......", "..a.de", "......", "......"}, {2, 1}, {2, 3},
       {"......", ".b...c", "......", ".d...e", "......", "......"}},
      {"right settles a row with an old gap too", Gravity::Right,
       {"......", ".b.a..", "......", ".c..a.", "......", "......"}, {3, 1}, {4, 3},
       {"......", "....b.", "......", "....c.", "......", "......"}},
      {"the border ring never moves, a removed ring tile still settles its column", Gravity::Down,
       {"..a...", "..a...", "......", "..c...", "......", "..d..."}, {2, 0}, {2, 1},
       {"......", "......", "......", "......", "..c...", "..d..."}},
      {"a pair in ring columns moves nothing under down", Gravity::Down,
       {"......", "ab...a", "......", "b.....", "......", "......"}, {0, 1}, {5, 1},
       {"......", ".b....", "......", "b.....", "......", "......"}},
      {"no variant: nothing falls", Gravity::None,
       {"......", ".c.d..", "......", ".a.a..", "......", "......"}, {1, 3}, {3, 3},
       {"......", ".c.d..", "......", "......", "......", "......"}},
  };
  for (const FallCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto board = BoardFromRows(c.before, c.gravity);
    board->SetTrailFrames(5);
    int result = -1;
    board->ClickCell(c.first.first, c.first.second, result);
    board->ClickCell(c.second.first, c.second.second, result);
    EXPECT_TRUE(result == Connect || result == Win);
    EXPECT_EQ(RowsOf(*board), c.after);
    // The trail keeps the path as it was drawn, over the cells the pair stood on.
    EXPECT_NE(board->Trail()[c.first.second * board->Width() + c.first.first], 0);
    EXPECT_NE(board->Trail()[c.second.second * board->Width() + c.second.first], 0);
  }
}

TEST(LogicGravity, TheNextClickIsJudgedOnTheSettledBoard) {
  // The two b's meet only once the a's are gone and the column has fallen.
  auto board = BoardFromRows({"xxxxx", "xbxxx", "xaxxx", "xab.x", "xxxxx"}, Gravity::Down);
  ASSERT_FALSE(board->CanLink(1, 1, 2, 3));
  int result = -1;
  board->ClickCell(1, 2, result);
  board->ClickCell(1, 3, result);
  ASSERT_EQ(result, Connect);
  EXPECT_EQ(RowsOf(*board), (Rows{"xxxxx", "x.xxx", "x.xxx", "xbb.x", "xxxxx"}));
  board->ClickCell(1, 3, result);
  board->ClickCell(2, 3, result);
  EXPECT_EQ(result, Connect);
}

// Clicks in order, then what the last one answered and the reason the board gives.
struct MissCase {
  const char* name;
  Rows rows;
  std::vector<Cell> clicks;
  int result;
  PairMiss miss;
};

TEST(LogicGravity, TheLastPairsMissSaysWhy) {
  const Rows blocked = {".x.....", "xax.a..", ".x.....", "......."};
  const Rows threeTurns = {"......", ".ax...", ".x....", "....x.", "...xa.", "......"};
  const MissCase cases[] = {
      {"nothing clicked yet", blocked, {}, -1, MissNone},
      {"different pictures", {".....", ".ab..", ".....", "....."}, {{1, 1}, {2, 1}}, Wrong, MissKinds},
      {"one picture, its tile walled in", blocked, {{1, 1}, {4, 1}}, Wrong, MissPath},
      {"one picture, a path only with three turns", threeTurns, {{1, 1}, {4, 4}}, Wrong, MissPath},
      {"a pair across the border ring links along it", {".....", "axxxa", ".....", "....."}, {{0, 1}, {4, 1}}, Connect,
       MissNone},
      {"a linked pair after a miss answers none", {".....", "ab.ba", ".....", "....."},
       {{0, 1}, {1, 1}, {3, 1}}, Connect, MissNone},
      {"the same cell twice is no pair", blocked, {{1, 1}, {1, 1}}, Choose, MissNone},
      {"the same cell twice keeps the last pair's reason", {".....", ".ab..", ".....", "....."},
       {{1, 1}, {2, 1}, {2, 1}}, Choose, MissKinds},
      {"a first pick after a miss keeps its reason", blocked, {{1, 1}, {4, 1}, {0, 0}, {1, 1}}, Choose, MissPath},
  };
  for (const MissCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto board = BoardFromRows(c.rows, Gravity::Down);
    int result = -1;
    for (const Cell& click : c.clicks) board->ClickCell(click.first, click.second, result);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(board->LastMiss(), c.miss);
  }
}

// A clearable numbered deal of the variant and the moves that clear it.
std::unique_ptr<CKaveloInternal> ClearableDeal(Gravity gravity, std::uint64_t number,
                                               std::vector<kavelo::logic::CellPair>& moves) {
  auto board = std::make_unique<CKaveloInternal>();
  board->InitBoard(10, 8, 12, 4);
  board->SetGravity(gravity);
  board->SetSolvableShuffles(true);
  board->DealByNumber(number);
  board->Shuffle(ShuffleSpread);
  EXPECT_EQ(board->Solve(moves, kNoHurry), SolveVerdict::Solved);
  return board;
}

bool Play(CKaveloInternal& board, kavelo::logic::CellPair move) {
  const auto [p, q] = CellsOf(board, move);
  int result = -1;
  board.ClickCell(p.first, p.second, result);
  board.ClickCell(q.first, q.second, result);
  return result == Connect || result == Win;
}

TEST(LogicGravity, UndoAndRedoAfterFallsRestoreTheBoardMoveByMove) {
  for (const Gravity gravity : kVariants) {
    SCOPED_TRACE(static_cast<int>(gravity));
    std::vector<kavelo::logic::CellPair> moves;
    auto board = ClearableDeal(gravity, 77, moves);
    std::vector<Rows> seen = {RowsOf(*board)};
    for (const auto& move : moves) {
      ASSERT_TRUE(Play(*board, move));
      seen.push_back(RowsOf(*board));
    }
    EXPECT_EQ(board->TilesLeft(), 0);
    for (std::size_t step = seen.size() - 1; step > 0; --step) {
      ASSERT_TRUE(board->Undo());
      EXPECT_EQ(RowsOf(*board), seen[step - 1]) << "undo to move " << step - 1;
    }
    EXPECT_FALSE(board->Undo());
    for (std::size_t step = 1; step < seen.size(); ++step) {
      ASSERT_TRUE(board->Redo());
      EXPECT_EQ(RowsOf(*board), seen[step]) << "redo to move " << step;
    }
    EXPECT_EQ(board->PairsRemoved(), static_cast<int>(moves.size()));
  }
}

std::vector<unsigned char> Saved(const CKaveloInternal& board) {
  kavelo::logic::ByteWriter out;
  EXPECT_TRUE(board.SaveState(out));
  return out.Written();
}

bool Loads(const std::vector<unsigned char>& bytes, CKaveloInternal& board) {
  kavelo::logic::ByteReader in(bytes.data(), bytes.size());
  return board.LoadState(in, CKaveloInternal::kSaveFormat);
}

// Where the variant lies in the board's state: after the first format's fields and the
// deal's number and draws.
constexpr std::size_t kVariantByte = 42 + 17;

TEST(LogicGravity, SavedGamesOfEachVariantLoadAndPlayOnAlike) {
  for (const Gravity gravity : kVariants) {
    SCOPED_TRACE(static_cast<int>(gravity));
    std::vector<kavelo::logic::CellPair> moves;
    auto board = ClearableDeal(gravity, 1234, moves);
    const std::size_t half = moves.size() / 2;
    for (std::size_t i = 0; i < half; ++i) ASSERT_TRUE(Play(*board, moves[i]));
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(board->Undo());
    const auto bytes = Saved(*board);
    ASSERT_EQ(bytes[kVariantByte], static_cast<unsigned char>(gravity));

    CKaveloInternal loaded;
    ASSERT_TRUE(Loads(bytes, loaded));
    EXPECT_EQ(loaded.Gravity(), gravity);
    EXPECT_EQ(Saved(loaded), bytes);
    // Both go on alike: redo, the rest of the moves by clicks, and undo of a fall.
    for (CKaveloInternal* b : {board.get(), &loaded}) {
      for (int i = 0; i < 3; ++i) ASSERT_TRUE(b->Redo());
      for (std::size_t i = half; i < moves.size(); ++i) ASSERT_TRUE(Play(*b, moves[i]));
      ASSERT_TRUE(b->Undo());
    }
    EXPECT_EQ(RowsOf(loaded), RowsOf(*board));
  }
}

TEST(LogicGravity, SavesWithAnUnknownVariantOrAnotherFallAreRefused) {
  std::vector<kavelo::logic::CellPair> moves;
  auto board = ClearableDeal(Gravity::Down, 99, moves);
  for (std::size_t i = 0; i < 12; ++i) ASSERT_TRUE(Play(*board, moves[i]));
  ASSERT_TRUE(board->Undo());
  const auto bytes = Saved(*board);
  // The first record lies after the grids: its fall count and first move follow 15 bytes.
  const std::size_t record = kVariantByte + 1 + 2 * board->Width() * board->Height();
  std::size_t firstFall = record;  // the first record with a fall
  std::size_t offset = record;
  for (;;) {
    ASSERT_LT(offset + 17, bytes.size());
    const int count = bytes[offset + 15] | bytes[offset + 16] << 8;
    if (count > 0) {
      firstFall = offset;
      break;
    }
    offset += 17;
  }
  struct Change {
    const char* name;
    std::size_t at;
    unsigned char value;
  };
  const Change changes[] = {
      {"an unknown variant", kVariantByte, 5},
      {"the largest byte as variant", kVariantByte, 255},
      {"another variant than the falls were made by", kVariantByte, static_cast<unsigned char>(Gravity::Up)},
      {"no variant, with falls recorded", kVariantByte, static_cast<unsigned char>(Gravity::None)},
      {"a fall from another row", firstFall + 18, static_cast<unsigned char>(bytes[firstFall + 18] ^ 1)},
      {"a fall to outside the grid", firstFall + 19, 200},
      {"a fall one tile short", firstFall + 15, static_cast<unsigned char>(bytes[firstFall + 15] - 1)},
  };
  CKaveloInternal fresh;
  ASSERT_TRUE(Loads(bytes, fresh));
  for (const Change& c : changes) {
    SCOPED_TRACE(c.name);
    auto changed = bytes;
    ASSERT_NE(changed[c.at], c.value);
    changed[c.at] = c.value;
    CKaveloInternal loaded;
    EXPECT_FALSE(Loads(changed, loaded));
    EXPECT_FALSE(loaded.Ready());
  }
}

}  // namespace
