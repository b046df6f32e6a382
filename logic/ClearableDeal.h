#pragma once
// Giving the occupied cells of a grid kinds in an order that can be cleared.

#include <cstdint>
#include <random>
#include <vector>

#include "logic/GridCells.h"
#include "logic/TileFall.h"

namespace kavelo::logic {

// Tries at most kDealAttempts pairings of the occupied cells, each removal picking among
// kPairPicks x kPartnerTries random exposed pairs before it settles for touching tiles.
inline constexpr int kDealAttempts = 4;
inline constexpr int kPairPicks = 8;
inline constexpr int kPartnerTries = 8;

// Pairs the occupied cells, kinds aside, in an order in which every pair links once the
// pairs before it are gone and the variant's falls after them are done. Each pair names
// the cells its tiles hold on the grid given, wherever they have fallen to by their turn.
// False when every attempt got stuck.
bool PairInClearingOrder(const GridView& grid, Gravity gravity, std::mt19937_64& random, std::vector<CellPair>& order);

// Deals the kinds already on the grid anew over the same cells, in pairs along such an
// order, so that the grid can be cleared under the variant. False, grid unchanged, when a
// kind has an odd count or no order was found.
bool DealClearable(std::uint8_t* tiles, int width, int height, Gravity gravity, std::mt19937_64& random);

// Gives two cells that link, kinds aside, one kind of which the grid holds two tiles or
// more, by swapping tiles. False, grid unchanged, when there are no such cells or kind.
bool GiveOneLinkedPair(std::uint8_t* tiles, int width, int height, std::mt19937_64& random);

}  // namespace kavelo::logic
