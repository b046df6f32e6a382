// What loading pictures costs in memory while it runs, not only what it keeps: the
// process's peak stays within the picture budget and a small fixed overhead, for one
// picture of the largest side and for a set-up the budget just admits.
#include <gtest/gtest.h>

#include <functional>

#include "logic/KaveloInternal.h"
#include "render/KaveloFigure.h"
#include "render/PictureBudget.h"
#include "tests/support/PeakMemory.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/SolidPng.h"

using namespace kavelo::test;

namespace {

// The program, its libraries and the decoders' own state: everything a load may hold
// besides the pictures.
constexpr std::uint64_t kOverhead = std::uint64_t{64} << 20;

TEST(DecodeMemory, LoadingPeaksWithinTheBudgetAndALittle) {
  if (PeakResidentBytes() == 0) GTEST_SKIP() << "the system tells no peak";
  const ScratchFolder folder("decode-memory");
  const auto write = [&](const std::string& name, int width, int height) {
    ASSERT_TRUE(WriteFile(folder.Path(name), SolidPng(width, height, {40, 120, 200, 255})));
  };
  const struct Case {
    const char* what;
    std::function<void()> files;
    std::function<bool(KaveloFigure&)> load;
    std::uint64_t kept;  // bytes the loaded pictures hold
  } cases[] = {
      // Fifteen tiles of 16 MiB and a trail frame of 8 MiB: 248 MiB.
      {"a set-up just under the budget", [&] {
         for (int n = 1; n <= 15; ++n) write("tile" + std::to_string(n) + ".png", 2048, 2048);
         write("trail1.png", 2048, 1024);
       },
       [&](KaveloFigure& f) {
         return f.LoadIcons(15, folder.Path("tile").c_str(), ".png") &&
                f.LoadAnimation(1, folder.Path("trail").c_str(), ".png");
       }, std::uint64_t{15 * 16 + 8} << 20},
      {"one picture of 8192 x 8192", [&] { write("big.png", 8192, 8192); },
       [&](KaveloFigure& f) { return f.LoadChoose(folder.Path("big.png").c_str()); }, std::uint64_t{8192} * 8192 * 4},
  };
  for (const Case& c : cases) {
    ASSERT_NO_FATAL_FAILURE(c.files());
    CKaveloInternal board;
    KaveloFigure figure(&board);
    ASSERT_TRUE(figure.SetScreen(64, 64, 0, 0, 32));
    ASSERT_LE(c.kept, kavelo::render::kPictureBudgetBytes);  // measured in this order, each peak is its own
    ASSERT_TRUE(c.load(figure)) << c.what;
    const std::uint64_t peak = PeakResidentBytes();
    EXPECT_LE(peak, kavelo::render::kPictureBudgetBytes + kOverhead) << c.what << ": " << (peak >> 20) << " MiB";
    EXPECT_GE(peak, c.kept) << c.what;  // the measure sees the pictures themselves
  }
}

}  // namespace
