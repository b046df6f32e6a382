// The board's life: construction, building the grids and dealing the tiles.
#include <new>

#include "logic/KaveloInternal.h"

namespace {

// Without a ring around at least one interior cell there is nothing to deal and the
// spreading shuffle would divide by zero.
constexpr int kMinSide = 3;

std::unique_ptr<std::uint8_t[]> NewZeroedBytes(std::size_t count) {
  return std::unique_ptr<std::uint8_t[]>(new (std::nothrow) std::uint8_t[count]());
}

}  // namespace

CKaveloInternal::CKaveloInternal() : m_clocks(SystemClocks()) {}

CKaveloInternal::~CKaveloInternal() = default;

bool CKaveloInternal::InitBoard(std::uint8_t width, std::uint8_t height, std::uint8_t kinds,
                                std::uint8_t copies) {
  m_tiles.reset();
  m_trail.reset();
  m_shuffleScratch.reset();
  m_boardReady = false;
  m_lastMiss = MissNone;
  ForgetMoves();
  if (width < kMinSide || height < kMinSide || kinds == 0) {
    // No grids, so no size either: nobody reading the fields may take them for a grid.
    m_width = 0;
    m_height = 0;
    return false;
  }
  m_width = width;
  m_height = height;
  m_kindCount = kinds;
  m_copiesPerKind = copies;

  const std::size_t cells = static_cast<std::size_t>(width) * height;
  m_tiles = NewZeroedBytes(cells);
  m_trail = std::unique_ptr<std::int8_t[]>(new (std::nothrow) std::int8_t[cells]());
  m_shuffleScratch = NewZeroedBytes(cells);
  if (!m_tiles || !m_trail || !m_shuffleScratch) {
    m_tiles.reset();
    m_trail.reset();
    m_shuffleScratch.reset();
    m_width = 0;
    m_height = 0;
    return false;
  }

  // Kind after kind from the top-left corner on, until the interior's worth is dealt.
  const std::int32_t limit = (width - 2) * (height - 2);
  m_tilesLeft = 0;
  for (int kind = 1; kind <= kinds && m_tilesLeft < limit; ++kind) {
    for (int copy = 0; copy < copies && m_tilesLeft < limit; ++copy) {
      m_tiles[(kind - 1) * copies + copy] = static_cast<std::uint8_t>(kind);
      ++m_tilesLeft;
    }
  }
  m_elapsed = 0;
  m_boardReady = true;
  return true;
}

std::uint8_t CKaveloInternal::GetTile(std::uint8_t x, std::uint8_t y) const { return TileAt(x, y); }

bool CKaveloInternal::InGrid(int x, int y) const {
  return x >= 0 && y >= 0 && x < m_width && y < m_height;
}

std::uint8_t CKaveloInternal::TileAt(int x, int y) const {
  if (!m_tiles || !InGrid(x, y)) return 0;
  return m_tiles[y * m_width + x];
}

void CKaveloInternal::SetClocks(KaveloClocks clocks) {
  KaveloClocks system = SystemClocks();
  m_clocks.tickMs = clocks.tickMs ? std::move(clocks.tickMs) : std::move(system.tickMs);
  m_clocks.calendarSeconds =
      clocks.calendarSeconds ? std::move(clocks.calendarSeconds) : std::move(system.calendarSeconds);
}
