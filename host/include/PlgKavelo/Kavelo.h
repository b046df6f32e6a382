#ifndef PLGKAVELO_KAVELO_H
#define PLGKAVELO_KAVELO_H
/* PlgKavelo: a tile-matching puzzle game as a plug-in without a window, for hosts in C
 * and in any language that can call C.
 *
 * A game is an opaque handle. It behaves as an object of a host class derived from
 * CKaveloFather (KaveloFather.h): the newest game or object is the current instance,
 * which the clock serves; destroying one stops the clock. The host hands over a pixel
 * buffer, configures the game with command texts "param,N;key,value;..." and drives it
 * with event texts "type,N;...". Texts come wide or as UTF-8; bytes that are not UTF-8
 * read as U+FFFD. Every function taking a handle or a text refuses a null one with -1,
 * and none lets a C++ exception out. Everything runs on the host's UI thread. */

#include <PlgKavelo/KaveloProtocol.h>

#include <stddef.h>
#include <wchar.h>

#if defined(_WIN32)
#define PLGKAVELO_CALL __cdecl
#if defined(PLGKAVELO_BUILDING)
#define PLGKAVELO_API __declspec(dllexport)
#else
#define PLGKAVELO_API __declspec(dllimport)
#endif
#else
#define PLGKAVELO_CALL
#define PLGKAVELO_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Two cells, columns and rows counted from 0 at the top left, the border ring included. */
typedef struct KaveloMove {
  int x1, y1, x2, y2;
} KaveloMove;

typedef struct KaveloGame KaveloGame;

/* The host's side of a game. Either callback may be null. */
typedef struct KaveloHostDesc {
  void* context; /* handed back to the callbacks as it is */
  /* A new frame lies in the buffer (after each tick). */
  void(PLGKAVELO_CALL* frameReady)(void* context);
  /* The game ended: won 1 when the board was cleared, 0 when the time ran out. */
  void(PLGKAVELO_CALL* gameOver)(void* context, int won);
} KaveloHostDesc;

/* A new game, now the current instance; the description is copied, null means no
 * callbacks. Null when memory runs out. */
PLGKAVELO_API KaveloGame* PLGKAVELO_CALL KaveloCreate(const KaveloHostDesc* host);
/* Ends a game and stops the clock. Null is ignored. Safe inside the game's own
 * callbacks: the game then goes silent at once and is freed when the call that
 * reached the callback returns. */
PLGKAVELO_API void PLGKAVELO_CALL KaveloDestroy(KaveloGame* game);

/* The buffer that frames are delivered into: "screenHeight" rows of "screenWidth" x 4
 * bytes, top row first, each pixel blue, green, red, alpha. It stays the host's and must
 * outlive its use. With a positive width and height declared, no frame wider or taller
 * than that is delivered into it. Returns 0. */
PLGKAVELO_API int PLGKAVELO_CALL KaveloAllocGdiData(KaveloGame* game, char* pixels, int width, int height,
                                                    int bits);
/* A configuration command, "param,N;..." with N a KAVELO_PARAM_ number
 * (KaveloProtocol.h). Returns N on success, 0 for a completed set-up, -1 on refusal. */
PLGKAVELO_API int PLGKAVELO_CALL KaveloSetGameParam(KaveloGame* game, const wchar_t* command);
PLGKAVELO_API int PLGKAVELO_CALL KaveloSetGameParamUtf8(KaveloGame* game, const char* command);
/* An event, "type,N;..." with N a KAVELO_EVENT_ or KAVELO_QUERY_ number.
 * Returns the event's result, -1 on refusal. */
PLGKAVELO_API int PLGKAVELO_CALL KaveloInputEvent(KaveloGame* game, const wchar_t* event);
PLGKAVELO_API int PLGKAVELO_CALL KaveloInputEventUtf8(KaveloGame* game, const char* event);

/* A pair of tiles that can be linked now, found without changing the game: 1 and the
 * pair in *move, 0 when no pair can be linked (the host may then shuffle) or no board is
 * dealt, -1 for a null argument. */
PLGKAVELO_API int PLGKAVELO_CALL KaveloFindHint(KaveloGame* game, KaveloMove* move);

/* What a search for a clearing found out (KaveloSolve, CKaveloFather::Solve). */
typedef enum KaveloSolveResult {
  KaveloSolved = 0,     /* the moves, played in order, clear the board */
  KaveloUnsolvable = 1, /* proved: no order of moves clears it */
  KaveloUnknown = 2     /* the time allowed ran out first, or no board is dealt */
} KaveloSolveResult;

/* Extension: looks for links that clear the board within about budgetMs milliseconds,
 * changing nothing. Returns a KaveloSolveResult. On KaveloSolved *count is the number of
 * moves and the first of them, up to capacity, are in moves in the order they are to be
 * clicked (a host may ask with capacity 0 first); otherwise *count is 0. -1 for a null
 * game or count, a negative capacity, or null moves with a capacity. */
PLGKAVELO_API int PLGKAVELO_CALL KaveloSolve(KaveloGame* game, KaveloMove* moves, int capacity, int* count,
                                             int budgetMs);
/* Extension: as KaveloFindHint, but the pair is the first move of a clearing when one is
 * found within a short time, so following these hints never leads into a dead end. */
PLGKAVELO_API int PLGKAVELO_CALL KaveloFindSafeHint(KaveloGame* game, KaveloMove* move);
/* Extension: clearable shuffles on (nonzero) or off, as CKaveloFather::SetSolvableShuffles
 * describes. 0, or -1 for a null game. */
PLGKAVELO_API int PLGKAVELO_CALL KaveloSetSolvableShuffles(KaveloGame* game, int on);
/* Extension: the number later set-ups deal by, as the command KAVELO_PARAM_DEAL sets it:
 * `number` when numbered is nonzero, else the clock again. 0, or -1 for a null game. */
PLGKAVELO_API int PLGKAVELO_CALL KaveloSetDeal(KaveloGame* game, int numbered, unsigned long long number);
/* Extension: the number of the board in play: 1 with it in *number, 0 (and *number 0) when
 * the board was dealt by the clock or no game is set up, -1 for a null game or number. */
PLGKAVELO_API int PLGKAVELO_CALL KaveloDealNumber(KaveloGame* game, unsigned long long* number);
/* Extension: the rule variant later set-ups deal by, a KAVELO_GRAVITY_ number, as the
 * command KAVELO_PARAM_RULES sets it. 0, or -1 for a null game or a number that names no
 * variant (the setting then stays as it was). */
PLGKAVELO_API int PLGKAVELO_CALL KaveloSetGravity(KaveloGame* game, int gravity);
/* Extension: the KAVELO_GRAVITY_ variant of the board in play, or with no game set up the one
 * the next set-up takes; -1 for a null game. */
PLGKAVELO_API int PLGKAVELO_CALL KaveloGravity(KaveloGame* game);
/* Extension: puts the last removed pair back (undo) or removes it again (redo), as
 * CKaveloFather::Undo and Redo describe: 1 when done, 0 when there is nothing to undo
 * (or redo) or no game runs, -1 for a null game. */
PLGKAVELO_API int PLGKAVELO_CALL KaveloUndo(KaveloGame* game);
PLGKAVELO_API int PLGKAVELO_CALL KaveloRedo(KaveloGame* game);

/* Extension: the band of rows in which the frame last delivered may differ from the one
 * delivered before it, as CKaveloFather::ChangedRows describes: the number of rows from
 * *first on, 0 when none may; -1 for a null argument. For a host that keeps a converted
 * or uploaded copy of the frame, typically inside frameReady. */
PLGKAVELO_API int PLGKAVELO_CALL KaveloChangedRows(KaveloGame* game, int* first);

/* Extension: pauses (nonzero) or resumes (0) the game, as CKaveloFather::Pause describes.
 * 0, or -1 for a null game. */
PLGKAVELO_API int PLGKAVELO_CALL KaveloPause(KaveloGame* game, int on);
/* Extension: 1 when the game is paused, 0 when not, -1 for a null game. */
PLGKAVELO_API int PLGKAVELO_CALL KaveloPaused(KaveloGame* game);
/* Extension: writes the game in play as CKaveloFather::SaveGame describes. *size always
 * receives the number of bytes the save takes (when size is not null). Capacity 0 asks for
 * the size only and answers 0; otherwise 0 when the bytes were written into buffer, -1
 * with nothing written when capacity is too small. -1 for a null game, null buffer with a
 * capacity, or no game set up (*size 0). */
PLGKAVELO_API int PLGKAVELO_CALL KaveloSaveGame(KaveloGame* game, unsigned char* buffer, size_t capacity,
                                                size_t* size);
/* Extension: restores a saved game as CKaveloFather::LoadGame describes: 0 when loaded, -1
 * refused (the game in play unchanged) or for a null game or null bytes. */
PLGKAVELO_API int PLGKAVELO_CALL KaveloLoadGame(KaveloGame* game, const unsigned char* bytes, size_t size);

/* The clock's timers live in a queue of the thread that started them. The host's event
 * loop serves that queue, as a message loop would:
 *   poll KaveloTimerFd() for readability, or sleep KaveloTimeoutMs(), then call
 *   KaveloDispatchTimers().
 * On Windows the clock is a system timer of the thread (SetTimer without a window), and
 * the host's ordinary message loop (GetMessage, DispatchMessage) serves it. There the four
 * functions below exist so that one host source builds on both systems, and do nothing:
 * KaveloTimerFd and KaveloTimeoutMs answer -1, KaveloDispatchTimers 0, and
 * KaveloSetTimerClock is ignored (system timers follow the system's clock only). In the
 * browser there is no descriptor: KaveloTimerFd answers -1 and the page's event loop
 * sleeps KaveloTimeoutMs() between dispatches (the JavaScript package does so). */
/* A descriptor that polls readable when a timer may be due; -1 where there is none. */
PLGKAVELO_API int PLGKAVELO_CALL KaveloTimerFd(void);
/* Milliseconds until the next timer is due, 0 when one is due, -1 when none runs. */
PLGKAVELO_API int PLGKAVELO_CALL KaveloTimeoutMs(void);
/* Runs the due timer callbacks on this thread; returns how many ran. */
PLGKAVELO_API int PLGKAVELO_CALL KaveloDispatchTimers(void);
/* Extension: replaces this thread's timer clock (milliseconds, monotonic) with the
 * host's own, so that a host may run games faster than real time or step them in tests.
 * Null restores the system's monotonic clock. Due times already set stay as they are. */
PLGKAVELO_API void PLGKAVELO_CALL KaveloSetTimerClock(unsigned long long(PLGKAVELO_CALL* nowMs)(void));

#ifdef __cplusplus
}
#endif

#endif /* PLGKAVELO_KAVELO_H */
