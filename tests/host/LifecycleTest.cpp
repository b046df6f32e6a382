#include <gtest/gtest.h>

#include <PlgKavelo/KaveloFather.h>

#include "host/ModuleState.h"

namespace {

class TestHost : public CKaveloFather {
 public:
  int OnGdiDataChange() override { return CKaveloFather::OnGdiDataChange(); }
  void OnGameOver(int) override {}
};

}  // namespace

TEST(Lifecycle, CurrentInstanceFollowsConstructionAndIsClearedByItsDestructor) {
  auto& module = kavelo::host::Module();
  auto first = std::make_unique<TestHost>();
  EXPECT_EQ(module.currentInstance, first.get());
  auto second = std::make_unique<TestHost>();
  EXPECT_EQ(module.currentInstance, second.get());
  first.reset();  // not the current instance: the pointer stays
  EXPECT_EQ(module.currentInstance, second.get());
  second.reset();
  EXPECT_EQ(module.currentInstance, nullptr);
}

TEST(Lifecycle, AllocGdiDataAcceptsAnyArguments) {
  TestHost host;
  char a[4], b[4];
  EXPECT_EQ(host.AllocGdiData(nullptr, -1, 0, 1 << 30), 0);
  EXPECT_EQ(host.AllocGdiData(a, 1, 2, 3), 0);
  EXPECT_EQ(host.AllocGdiData(b, 0, 0, 0), 0);
  EXPECT_EQ(host.OnGdiDataChange(), 0);
}

TEST(Lifecycle, WithoutASetUpEveryCommandAndEventIsRefused) {
  TestHost host;
  for (const wchar_t* text : {L"param,2;choose,x.bmp;", L"param,16;markAdd,5;", L"param,3;"}) {
    EXPECT_EQ(host.SetGameParam(text), -1) << text;
  }
  for (const wchar_t* text : {L"type,0", L"type,1;x,1;y,1;", L"type,4;", L"type,512;", L"type,3;"}) {
    EXPECT_EQ(host.InputEvent(text), -1) << text;
  }
}
