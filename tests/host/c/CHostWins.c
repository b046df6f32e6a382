/* A host in C alone plays a whole game to the win through the C interface, on a stepped
 * clock. Argument: the folder of the generated artwork. Exit status 0 when all held. */
#define _POSIX_C_SOURCE 199309L
#include <PlgKavelo/Kavelo.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

enum { kCell = 48, kW = 8, kH = 6, kWidth = kW * kCell, kHeight = kH * kCell };

struct Seen {
  int frames, gameOvers, won;
  void* context;
};

static unsigned long long g_nowMs = 1000;
static unsigned long long SteppedNow(void) { return g_nowMs; }
static void OnFrame(void* context) { ((struct Seen*)context)->frames++; }
static void OnGameOver(void* context, int won) {
  struct Seen* seen = (struct Seen*)context;
  seen->gameOvers++;
  seen->won = won;
  seen->context = context;
}

static int failures = 0;
static void Check(int ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "failed: %s\n", what);
    failures++;
  }
}

static int ClickUtf8(KaveloGame* game, int x, int y) {
  char text[64];
  snprintf(text, sizeof text, "type,1;x,%d;y,%d;", x, y);
  return KaveloInputEventUtf8(game, text);
}

int main(int argc, char** argv) {
  static char pixels[kWidth * kHeight * 4];
  char setUp[1024];
  struct Seen seen = {0, 0, -1, NULL};
  KaveloHostDesc desc;
  KaveloGame* game;
  KaveloMove move;
  const struct timespec pause = {0, 2000000};
  int result = 0, shuffles = 0;
  size_t drawn = 0, i;

  if (argc < 2) return 2;
  KaveloSetTimerClock(SteppedNow);
  desc.context = &seen;
  desc.frameReady = OnFrame;
  desc.gameOver = OnGameOver;
  game = KaveloCreate(&desc);
  Check(game != NULL, "create");
  Check(KaveloAllocGdiData(game, pixels, kWidth, kHeight, 32) == 0, "buffer");
  snprintf(setUp, sizeof setUp,
           "param,1;w,%d;h,%d;c,6;r,4;screenWidth,%d;screenHeight,%d;screenBits,32;zeroX,0;zeroY,0;"
           "iconPath,%s/tile;iconType,.png;animationFrames,10;animationPath,%s/trail;animationType,.png;",
           kW, kH, kWidth, kHeight, argv[1], argv[1]);
  Check(KaveloSetGameParamUtf8(game, setUp) == 0, "set-up");
  snprintf(setUp, sizeof setUp, "param,4;timeBar,%s/timebar.png;x,0;y,0;time,480;", argv[1]);
  Check(KaveloSetGameParamUtf8(game, setUp) == 4, "time bar");
  Check(KaveloSetGameParam(game, L"param,16;markAdd,10;") == 16, "score step");
  Check(KaveloInputEvent(game, L"type,16;") == kCell && KaveloInputEventUtf8(game, "type,32;") == kCell, "cell");
  Check(KaveloInputEvent(game, L"type,2;shuffle,4;") == 0, "shuffle");

  while (KaveloInputEvent(game, L"type,256;") > 0 && shuffles < 30) {
    g_nowMs += 100;
    KaveloDispatchTimers();
    if (KaveloFindHint(game, &move) != 1) {
      nanosleep(&pause, NULL); /* the shuffle seeds from the clocks */
      KaveloInputEventUtf8(game, "type,2;shuffle,4;");
      shuffles++;
      continue;
    }
    Check(ClickUtf8(game, move.x1, move.y1) == 4, "first click chooses");
    result = ClickUtf8(game, move.x2, move.y2);
    Check(result == 1 || result == 99, "second click links");
  }
  Check(result == 99, "the last pair wins");
  Check(seen.gameOvers == 1 && seen.won == 1 && seen.context == &seen, "gameOver(context, 1) once");
  for (i = 0; i < sizeof pixels; i++) drawn += pixels[i] != 0;
  Check(seen.frames > 0 && drawn > sizeof pixels / 2, "frames delivered");
  Check(KaveloInputEvent(game, L"type,128;") == 10 * (kW - 2) * (kH - 2) / 2 &&
            KaveloInputEventUtf8(game, "type,128;") == KaveloInputEvent(game, L"type,128;"),
        "score");
  Check(ClickUtf8(game, 1, 1) == -1, "no click after the win");
  KaveloDestroy(game);
  Check(KaveloTimeoutMs() == -1, "the clock stops with the game");
  KaveloSetTimerClock(NULL);
  printf("won with %d frames, %d shuffles\n", seen.frames, shuffles);
  return failures == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
