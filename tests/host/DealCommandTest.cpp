// Numbered deals through the protocol and the C interface: the deal command's refusals,
// one number dealing one board game after game, and saved games keeping their number.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "GameHost.h"

using namespace kavelo::test;

namespace {

constexpr int kCell = 8;
constexpr int kWidth = 8, kHeight = 7;  // a 6 x 5 interior

std::wstring DealText(const std::string& value) { return W(CommandText(KAVELO_PARAM_DEAL) + "deal," + value + ";"); }

// A host that deals a clearable 6 x 5 board of 5 kinds by spreading, as kavelo-play does.
struct Dealer {
  explicit Dealer(const ArtFolder& art) : frame(std::size_t(kWidth) * kHeight * kCell * kCell * 4) {
    host.AllocGdiData(frame.data(), 0, 0, 0);
    host.SetSolvableShuffles(true);
    this->art = &art;
  }
  std::vector<unsigned char> Deal() {
    EXPECT_EQ(host.SetGameParam(art->SetUp(kWidth, kHeight, 5, 6, kWidth * kCell, kHeight * kCell)), 0);
    EXPECT_EQ(host.InputEvent(ShuffleText(KAVELO_SHUFFLE_SPREAD)), 0);
    return Board();
  }
  // The save's tile grid: the board as it lies.
  std::vector<unsigned char> Board() const {
    std::vector<unsigned char> bytes;
    host.SaveGame(bytes);
    return bytes.size() > 77 ? std::vector<unsigned char>(bytes.begin() + 77, bytes.begin() + 77 + kWidth * kHeight)
                             : bytes;
  }
  const ArtFolder* art;
  std::vector<char> frame;
  GameHost host;
};

TEST(DealCommand, AcceptsADecimalNumberOf64BitsOrNothingAndRefusesAllElseKeepingTheNumber) {
  SteppedClock clock;
  const ArtFolder art(5, 3, kCell);
  Dealer d(art);
  struct Case {
    std::wstring command;
    int result;
    std::optional<std::uint64_t> dealt;  // the number the next set-up deals by
  } cases[] = {
      {DealText("48213"), KAVELO_PARAM_DEAL, 48213},
      {DealText("0"), KAVELO_PARAM_DEAL, 0},
      {DealText("18446744073709551615"), KAVELO_PARAM_DEAL, 18446744073709551615u},
      {DealText("00000000000000000007"), KAVELO_PARAM_DEAL, 7},  // twenty digits
      {DealText("18446744073709551616"), -1, 7},                 // 2^64
      {DealText("99999999999999999999"), -1, 7},
      {DealText("000000000000000000007"), -1, 7},  // twenty-one digits
      {DealText("-1"), -1, 7},
      {DealText("+5"), -1, 7},
      {DealText(" 5"), -1, 7},
      {DealText("5 "), -1, 7},
      {DealText("12x"), -1, 7},
      {DealText("0x10"), -1, 7},
      {DealText("1e3"), -1, 7},
      {DealText("\xEF\xBC\x95"), -1, 7},  // a full-width digit five
      {W(CommandText(KAVELO_PARAM_DEAL)), -1, 7},
      {W(CommandText(KAVELO_PARAM_DEAL) + "deals,5;"), -1, 7},
      {DealText(""), KAVELO_PARAM_DEAL, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.command.begin(), c.command.end()));
    // Before any set-up too: a host sends the number first.
    GameHost fresh;
    EXPECT_EQ(fresh.SetGameParam(c.command), c.result);
    EXPECT_EQ(d.host.SetGameParam(c.command), c.result);
    d.Deal();
    EXPECT_EQ(d.host.DealNumber(), c.dealt);
  }
}

TEST(DealCommand, OneNumberDealsOneBoardGameAfterGame) {
  SteppedClock clock;
  const ArtFolder art(5, 3, kCell);
  Dealer d(art), other(art);
  ASSERT_EQ(d.host.SetGameParam(DealText("48213")), KAVELO_PARAM_DEAL);
  ASSERT_EQ(other.host.SetGameParam(DealText("48213")), KAVELO_PARAM_DEAL);
  const auto first = d.Deal();
  EXPECT_EQ(d.Deal(), first);      // the number stays for the next set-up
  EXPECT_EQ(other.Deal(), first);  // and deals the same in another game
  ASSERT_EQ(other.host.SetGameParam(DealText("48214")), KAVELO_PARAM_DEAL);
  EXPECT_NE(other.Deal(), first);

  ASSERT_EQ(d.host.SetGameParam(DealText("")), KAVELO_PARAM_DEAL);
  d.Deal();
  EXPECT_EQ(d.host.DealNumber(), std::nullopt);
}

TEST(DealCommand, ASavedGameKeepsItsNumberAndTheShufflesThatFollowLoading) {
  SteppedClock clock;
  const ArtFolder art(5, 3, kCell);
  Dealer saver(art), loader(art);
  ASSERT_EQ(saver.host.SetGameParam(DealText("9007199254740993")), KAVELO_PARAM_DEAL);
  saver.Deal();
  saver.host.InputEvent(ShuffleText(KAVELO_SHUFFLE_MIX));
  std::vector<unsigned char> saved;
  ASSERT_TRUE(saver.host.SaveGame(saved));
  ASSERT_EQ(saved[4], 2);  // the format that keeps the number

  loader.Deal();  // by the clock
  ASSERT_EQ(loader.host.LoadGame(saved.data(), saved.size()), 0);
  EXPECT_EQ(loader.host.DealNumber(), 9007199254740993u);
  for (int mode : {KAVELO_SHUFFLE_SCATTER, KAVELO_SHUFFLE_SPREAD}) {
    saver.host.InputEvent(ShuffleText(mode));
    loader.host.InputEvent(ShuffleText(mode));
    EXPECT_EQ(loader.Board(), saver.Board()) << mode;
  }
  // The number loaded is the board's: the next set-up deals by the host's own again.
  loader.Deal();
  EXPECT_EQ(loader.host.DealNumber(), std::nullopt);
}

TEST(DealCommand, TheCInterfaceSetsAndReadsTheNumberAsTheClassDoes) {
  SteppedClock clock;
  const ArtFolder art(5, 3, kCell);
  KaveloGame* game = KaveloCreate(nullptr);
  ASSERT_NE(game, nullptr);
  unsigned long long number = 99;
  EXPECT_EQ(KaveloSetDeal(nullptr, 1, 5), -1);
  EXPECT_EQ(KaveloDealNumber(nullptr, &number), -1);
  EXPECT_EQ(KaveloDealNumber(game, nullptr), -1);
  EXPECT_EQ(KaveloDealNumber(game, &number), 0);  // no game set up
  EXPECT_EQ(number, 0u);
  std::vector<char> frame(std::size_t(kWidth) * kHeight * kCell * kCell * 4);
  KaveloAllocGdiData(game, frame.data(), 0, 0, 0);
  EXPECT_EQ(KaveloSetDeal(game, 1, 18446744073709551615u), 0);
  ASSERT_EQ(KaveloSetGameParam(game, art.SetUp(kWidth, kHeight, 5, 6, kWidth * kCell, kHeight * kCell).c_str()), 0);
  EXPECT_EQ(KaveloDealNumber(game, &number), 1);
  EXPECT_EQ(number, 18446744073709551615u);
  EXPECT_EQ(KaveloSetDeal(game, 0, 5), 0);  // the clock; the number given is ignored
  EXPECT_EQ(KaveloDealNumber(game, &number), 1);  // the board in play keeps its own
  ASSERT_EQ(KaveloSetGameParam(game, art.SetUp(kWidth, kHeight, 5, 6, kWidth * kCell, kHeight * kCell).c_str()), 0);
  EXPECT_EQ(KaveloDealNumber(game, &number), 0);
  KaveloDestroy(game);
}

}  // namespace
