/* A Windows host in C alone, linked to the plug-in DLL through its C interface, plays a
 * whole game to the win; its message loop serves the clock. Argument: the artwork folder.
 * Exit status 0 when all held. */
#include <windows.h>

#include <PlgKavelo/Kavelo.h>

#include <stdio.h>
#include <stdlib.h>

enum { kCell = 48, kW = 8, kH = 6, kWidth = kW * kCell, kHeight = kH * kCell };

struct Seen {
  int frames, gameOvers, won;
};

static void OnFrame(void* context) { ((struct Seen*)context)->frames++; }
static void OnGameOver(void* context, int won) {
  ((struct Seen*)context)->gameOvers++;
  ((struct Seen*)context)->won = won;
}

static int failures = 0;
static void Check(int ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "failed: %s\n", what);
    failures++;
  }
}

/* The host's message loop, for `ms` milliseconds. */
static void Pump(DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  MSG msg;
  while (GetTickCount64() < end) {
    MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

static int Click(KaveloGame* game, int x, int y) {
  char text[64];
  snprintf(text, sizeof text, "type,1;x,%d;y,%d;", x, y);
  return KaveloInputEventUtf8(game, text);
}

int main(int argc, char** argv) {
  static char pixels[kWidth * kHeight * 4];
  char text[1024];
  struct Seen seen = {0, 0, -1};
  KaveloHostDesc desc;
  KaveloGame* game;
  KaveloMove move;
  int result = 0, shuffles = 0, framesBefore;

  if (argc < 2) return 2;
  desc.context = &seen;
  desc.frameReady = OnFrame;
  desc.gameOver = OnGameOver;
  game = KaveloCreate(&desc);
  Check(game != NULL, "create");
  Check(KaveloAllocGdiData(game, pixels, kWidth, kHeight, 32) == 0, "buffer");
  snprintf(text, sizeof text,
           "param,1;w,%d;h,%d;c,6;r,4;screenWidth,%d;screenHeight,%d;screenBits,32;zeroX,0;zeroY,0;"
           "iconPath,%s/tile;iconType,.png;animationFrames,10;animationPath,%s/trail;animationType,.png;",
           kW, kH, kWidth, kHeight, argv[1], argv[1]);
  Check(KaveloSetGameParamUtf8(game, text) == 0, "set-up");
  snprintf(text, sizeof text, "param,4;timeBar,%s/timebar.png;x,0;y,0;time,480;", argv[1]);
  Check(KaveloSetGameParamUtf8(game, text) == 4, "time bar");
  Check(KaveloSetGameParam(game, L"param,16;markAdd,10;") == 16, "score step");
  Check(KaveloInputEvent(game, L"type,2;shuffle,4;") == 0, "shuffle");
  Check(KaveloTimerFd() == -1 && KaveloTimeoutMs() == -1 && KaveloDispatchTimers() == 0, "no timer queue here");

  framesBefore = seen.frames;
  Pump(350);
  Check(seen.frames - framesBefore >= 2, "the message loop serves the clock");
  while (KaveloInputEvent(game, L"type,256;") > 0 && shuffles < 30) {
    Pump(20);
    if (KaveloFindHint(game, &move) != 1) {
      KaveloInputEventUtf8(game, "type,2;shuffle,4;");
      shuffles++;
      continue;
    }
    Check(Click(game, move.x1, move.y1) == 4, "first click chooses");
    result = Click(game, move.x2, move.y2);
    Check(result == 1 || result == 99, "second click links");
  }
  Pump(300);
  Check(result == 99, "the last pair wins");
  Check(seen.gameOvers == 1 && seen.won == 1, "gameOver(context, 1) once");
  Check(KaveloInputEvent(game, L"type,128;") == 10 * (kW - 2) * (kH - 2) / 2, "score");
  KaveloDestroy(game);
  framesBefore = seen.frames;
  Pump(300);
  Check(seen.frames == framesBefore, "nothing after the game is destroyed");
  printf("won with %d frames, %d shuffles\n", seen.frames, shuffles);
  return failures == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
