// The board as a saved game keeps it: fixed-width little-endian fields, the deal's number
// and the rule variant (from the second format on), then the tile and trail grids row by
// row, then the undo and redo records, oldest first, each under gravity with the tiles
// that fell after it. Reading builds the grids as a set-up would and then checks the board
// against play (SaveChecks.cpp).
#include <algorithm>
#include <cstring>

#include "logic/KaveloInternal.h"
#include "logic/SaveBytes.h"

using kavelo::logic::ByteReader;
using kavelo::logic::ByteWriter;

namespace {

// x1, y1, x2, y2, kind1, kind2, straight, the four turn coordinates, the score step.
constexpr std::size_t kPairBytes = 15;
// The fields before the grids: the first format's, and the deal's number and variant.
constexpr std::size_t kFieldBytes = 42;
constexpr std::size_t kDealBytes = 18;
// Under gravity a record goes on with its fall: a count, then per tile the cell it left
// and the cell it reached (x and y each).
constexpr std::size_t kFallCountBytes = 2;
constexpr std::size_t kTileMoveBytes = 4;

// Two interior lines' worth: the most tiles one removal can move.
std::size_t MostFallen(int width, int height) { return 2 * static_cast<std::size_t>(std::max(width, height) - 2); }

}  // namespace

bool CKaveloInternal::SaveState(ByteWriter& out) const {
  if (!m_boardReady || !m_tiles || !m_trail) return false;
  const std::size_t cells = static_cast<std::size_t>(m_width) * m_height;
  out.Reserve(kFieldBytes + kDealBytes + 2 * cells + kPairBytes * (m_undoable.size() + m_redoable.size()));
  for (std::uint8_t field : {m_width, m_height, m_kindCount, m_copiesPerKind, m_trailFrames}) out.U8(field);
  out.U8(m_solvableShuffles ? 1 : 0);
  for (std::int16_t field : {m_selX, m_selY, m_misses, m_pairsRemoved}) out.I16(field);
  for (std::int32_t field : {m_tilesLeft, m_score, m_scoreStep}) out.I32(field);
  out.U32(m_elapsed);
  out.U32(m_timeLimit);
  out.U32(static_cast<std::uint32_t>(m_undoable.size()));
  out.U32(static_cast<std::uint32_t>(m_redoable.size()));
  // Numbered or not, the number, and how far its stream has been drawn.
  out.U8(m_deal ? 1 : 0);
  out.U64(m_deal ? m_deal->Number() : 0);
  out.U64(m_deal ? m_deal->Drawn() : 0);
  out.U8(static_cast<std::uint8_t>(m_gravity));
  out.Bytes(m_tiles.get(), cells);
  out.Bytes(m_trail.get(), cells);
  for (const auto* history : {&m_undoable, &m_redoable}) {
    for (const RemovedPair& pair : *history) {
      const kavelo::logic::PathCorners& path = pair.path;
      for (int field : {int{pair.x1}, int{pair.y1}, int{pair.x2}, int{pair.y2}, int{pair.kind1}, int{pair.kind2},
                        path.straight ? 1 : 0, path.turnX1, path.turnY1, path.turnX2, path.turnY2}) {
        out.U8(static_cast<std::uint8_t>(field));
      }
      out.I32(pair.scoreStep);
      if (m_gravity == kavelo::logic::Gravity::None) continue;
      out.U16(static_cast<std::uint16_t>(pair.fall.size()));
      for (const kavelo::logic::TileMove& move : pair.fall) {
        for (int cell : {move.from, move.to}) {
          out.U8(static_cast<std::uint8_t>(cell % m_width));
          out.U8(static_cast<std::uint8_t>(cell / m_width));
        }
      }
    }
  }
  return true;
}

bool CKaveloInternal::LoadState(ByteReader& in, std::uint32_t format) {
  const std::uint8_t width = in.U8();
  const std::uint8_t height = in.U8();
  const std::uint8_t kinds = in.U8();
  const std::uint8_t copies = in.U8();
  const std::uint8_t trailFrames = in.U8();
  const std::uint8_t solvable = in.U8();
  const std::int16_t selX = in.I16();
  const std::int16_t selY = in.I16();
  const std::int16_t misses = in.I16();
  const std::int16_t pairs = in.I16();
  const std::int32_t tilesLeft = in.I32();
  const std::int32_t score = in.I32();
  const std::int32_t scoreStep = in.I32();
  const std::uint32_t elapsed = in.U32();
  const std::uint32_t timeLimit = in.U32();
  const std::uint32_t undoCount = in.U32();
  const std::uint32_t redoCount = in.U32();
  const std::uint8_t numbered = format >= 2 ? in.U8() : 0;
  const std::uint64_t number = format >= 2 ? in.U64() : 0;
  const std::uint64_t drawn = format >= 2 ? in.U64() : 0;
  const std::uint8_t gravity = format >= 2 ? in.U8() : KAVELO_GRAVITY_NONE;
  // A board dealt by the clocks has no number and no draws to keep.
  if (numbered > 1 || (numbered == 0 && (number != 0 || drawn != 0))) return false;
  if (!kavelo::logic::KnownGravity(gravity)) return false;
  const auto rules = static_cast<kavelo::logic::Gravity>(gravity);
  const bool falls = rules != kavelo::logic::Gravity::None;
  // The set-up's own dealing gives the grids and, from their first tiles, what was dealt.
  if (in.Failed() || solvable > 1 || elapsed > timeLimit || !InitBoard(width, height, kinds, copies)) return false;
  m_boardReady = false;
  const std::int32_t dealtTiles = m_tilesLeft;
  const KindCounts dealt = CountKinds(m_tiles.get());

  // Neither history holds more pairs than were dealt, so the length check below cannot
  // overflow and no allocation follows a count that the length did not confirm.
  const std::size_t cells = static_cast<std::size_t>(width) * height;
  const auto dealtPairs = static_cast<std::uint32_t>(dealtTiles / 2);
  if (undoCount > dealtPairs || redoCount > dealtPairs) return false;
  // Falls make records longer: the fixed part is checked here, the rest as it is read.
  const std::size_t fixedBytes = 2 * cells + (kPairBytes + (falls ? kFallCountBytes : 0)) * (std::size_t{undoCount} + redoCount);
  if (falls ? in.Left() < fixedBytes : in.Left() != fixedBytes) return false;
  std::memcpy(m_tiles.get(), in.Take(cells), cells);
  std::memcpy(m_trail.get(), in.Take(cells), cells);
  for (auto [history, count] : {std::pair{&m_undoable, undoCount}, std::pair{&m_redoable, redoCount}}) {
    history->reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      RemovedPair pair{in.U8(), in.U8(), in.U8(), in.U8(), in.U8(), in.U8(), {}, 0, {}};
      const std::uint8_t straight = in.U8();
      if (straight > 1) return false;
      pair.path = {straight == 1, in.U8(), in.U8(), in.U8(), in.U8()};
      pair.scoreStep = in.I32();
      const std::size_t fallen = falls ? in.U16() : 0;
      if (fallen > MostFallen(width, height) || in.Left() < fallen * kTileMoveBytes) return false;
      pair.fall.resize(fallen);
      for (kavelo::logic::TileMove& move : pair.fall) {
        for (int* cell : {&move.from, &move.to}) {
          const std::uint8_t x = in.U8();
          const std::uint8_t y = in.U8();
          if (x >= width || y >= height) return false;
          *cell = y * width + x;
        }
      }
      history->push_back(std::move(pair));
    }
  }
  if (!in.Finished()) return false;

  m_trailFrames = trailFrames;
  m_solvableShuffles = solvable == 1;
  m_selX = selX;
  m_selY = selY;
  m_misses = misses;
  m_pairsRemoved = pairs;
  m_tilesLeft = tilesLeft;
  m_score = score;
  m_scoreStep = scoreStep;
  m_elapsed = elapsed;
  m_timeLimit = timeLimit;
  if (numbered == 1) m_deal.emplace(number, drawn);
  m_gravity = rules;
  m_boardReady = TilesAgree(dealt, dealtTiles) && SelectionAgrees() && TrailInRange() && HistoryReplays(dealt);
  return m_boardReady;
}
