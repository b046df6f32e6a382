// A host that knows the plug-in only through its installed package.
#include <PlgKavelo/KaveloFather.h>

#include <cstdio>
#include <vector>

class OutsideHost : public CKaveloFather {
 public:
  int OnGdiDataChange() override { return ++frames; }
  void OnGameOver(int) override {}
  int frames = 0;
};

int main() {
  std::vector<char> pixels(64 * 64 * 4);
  OutsideHost host;
  host.AllocGdiData(pixels.data(), 64, 64, 32);
  if (host.InputEvent(L"type," KAVELO_TEXT(KAVELO_QUERY_PAIRS) L";") != -1 || KaveloTimeoutMs() != -1 || KaveloDispatchTimers() != 0) {
    std::puts("unexpected answer before set-up");
    return 1;
  }
  return KaveloTimerFd() >= 0 ? 0 : 1;
}
