"""PlgKavelo for Python: the puzzle game's plug-in driven through its C interface.

Only the standard library (ctypes) is used. A Game delivers frames into a pixel buffer it
owns and calls back the Python callables given to it; the clock that draws the frames is
served by serve_clock (real time) or by a SteppedClock (time moved by hand). Everything
runs on the thread that set the game up.
"""

import ctypes
import ctypes.util
import os
import pathlib
import select
import time

# The numbers of the text protocol, named as KaveloProtocol.h names them without "KAVELO_"
# (a test holds the two to each other).
PARAM_SET_UP, PARAM_SELECTION_PICTURE, PARAM_TIME_BAR, PARAM_SOUNDS, PARAM_SCORE_STEP = 1, 2, 4, 8, 16  # "param"
PARAM_DEAL = 32  # extension: "deal", the number later set-ups deal by
PARAM_RULES = 64  # extension: "gravity", the rule variant of later set-ups, by its name in GRAVITIES
EVENT_TICK, EVENT_CLICK, EVENT_SHUFFLE, EVENT_TIME = 0, 1, 2, 64  # "type"
QUERY_PAIRS, QUERY_MISSES, QUERY_CELL_WIDTH, QUERY_CELL_HEIGHT = 4, 8, 16, 32  # "type", answering a number
QUERY_SCORE, QUERY_TILES_LEFT, QUERY_SECONDS_LEFT = 128, 256, 512
QUERY_LAST_MISS = 1024  # extension: a MISS_ reason for the last pair clicked
MISS_NONE, MISS_KINDS, MISS_PATH = 0, 1, 2  # linked or none yet; two pictures; no path with two turns
GRAVITY_NONE, GRAVITY_DOWN, GRAVITY_UP, GRAVITY_LEFT, GRAVITY_RIGHT = 0, 1, 2, 3, 4  # the rule variants
GRAVITIES = ("none", "down", "up", "left", "right")  # the rules command's names, by GRAVITY_ number
CLICK_WRONG, CLICK_CONNECT, CLICK_CANCEL, CLICK_CHOOSE, CLICK_WIN = 0, 1, 2, 4, 99  # what a click answers
SHUFFLE_SCATTER, SHUFFLE_MIX, SHUFFLE_COMPACT, SHUFFLE_SPREAD = 1, 2, 3, 4  # "shuffle"
# The sound command's keys play for the click results of their names.
SOUND_WRONG, SOUND_CONNECT, SOUND_CANCEL, SOUND_CHOOSE, SOUND_WIN = (CLICK_WRONG, CLICK_CONNECT, CLICK_CANCEL,
                                                                     CLICK_CHOOSE, CLICK_WIN)

__all__ = ["Game", "Move", "SteppedClock", "load_library", "serve_clock", "dispatch_timers"]

_NAMES = ("libPlgKavelo.so.1", "libPlgKavelo.so", "PlgKavelo.dll", "libPlgKavelo.dylib")

_FrameReady = ctypes.CFUNCTYPE(None, ctypes.c_void_p)
_GameOver = ctypes.CFUNCTYPE(None, ctypes.c_void_p, ctypes.c_int)
_NowMs = ctypes.CFUNCTYPE(ctypes.c_ulonglong)


class _HostDesc(ctypes.Structure):
    _fields_ = [("context", ctypes.c_void_p), ("frameReady", _FrameReady), ("gameOver", _GameOver)]


class Move(ctypes.Structure):
    """Two cells, columns and rows counted from 0 at the top left, the border ring included."""

    _fields_ = [("x1", ctypes.c_int), ("y1", ctypes.c_int), ("x2", ctypes.c_int), ("y2", ctypes.c_int)]

    def cells(self):
        return (self.x1, self.y1), (self.x2, self.y2)


SOLVED, UNSOLVABLE, UNKNOWN = 0, 1, 2  # what KaveloSolve answers
DEAL_MAX = 2**64 - 1  # the largest deal number


def _declare(lib):
    game = ctypes.c_void_p
    signatures = {
        "KaveloCreate": (game, [ctypes.POINTER(_HostDesc)]),
        "KaveloDestroy": (None, [game]),
        "KaveloAllocGdiData": (ctypes.c_int, [game, ctypes.c_char_p, ctypes.c_int, ctypes.c_int, ctypes.c_int]),
        "KaveloSetGameParamUtf8": (ctypes.c_int, [game, ctypes.c_char_p]),
        "KaveloInputEventUtf8": (ctypes.c_int, [game, ctypes.c_char_p]),
        "KaveloFindHint": (ctypes.c_int, [game, ctypes.POINTER(Move)]),
        "KaveloFindSafeHint": (ctypes.c_int, [game, ctypes.POINTER(Move)]),
        "KaveloSolve": (ctypes.c_int, [game, ctypes.POINTER(Move), ctypes.c_int, ctypes.POINTER(ctypes.c_int),
                                       ctypes.c_int]),
        "KaveloSetSolvableShuffles": (ctypes.c_int, [game, ctypes.c_int]),
        "KaveloSetDeal": (ctypes.c_int, [game, ctypes.c_int, ctypes.c_ulonglong]),
        "KaveloDealNumber": (ctypes.c_int, [game, ctypes.POINTER(ctypes.c_ulonglong)]),
        "KaveloSetGravity": (ctypes.c_int, [game, ctypes.c_int]),
        "KaveloGravity": (ctypes.c_int, [game]),
        "KaveloUndo": (ctypes.c_int, [game]),
        "KaveloRedo": (ctypes.c_int, [game]),
        "KaveloPause": (ctypes.c_int, [game, ctypes.c_int]),
        "KaveloPaused": (ctypes.c_int, [game]),
        "KaveloSaveGame": (ctypes.c_int, [game, ctypes.c_char_p, ctypes.c_size_t, ctypes.POINTER(ctypes.c_size_t)]),
        "KaveloLoadGame": (ctypes.c_int, [game, ctypes.c_char_p, ctypes.c_size_t]),
        "KaveloTimerFd": (ctypes.c_int, []),
        "KaveloTimeoutMs": (ctypes.c_int, []),
        "KaveloDispatchTimers": (ctypes.c_int, []),
        "KaveloSetTimerClock": (None, [_NowMs]),
    }
    for name, (result, arguments) in signatures.items():
        function = getattr(lib, name)
        function.restype, function.argtypes = result, arguments
    return lib


def _candidates():
    """Where the plug-in is looked for when no path is given."""
    here = pathlib.Path(__file__).resolve().parent
    folders = [here, here.parents[1] / "build" / "host"]  # beside the module, the source tree's build
    folders += [here.parents[2] / lib for lib in ("lib", "lib64")] if len(here.parents) > 2 else []
    for folder in folders:
        for name in _NAMES:
            if (folder / name).exists():
                yield str(folder / name)
    found = ctypes.util.find_library("PlgKavelo")
    yield from ([found] if found else [])
    yield from _NAMES  # the system loader's own search, LD_LIBRARY_PATH included


_library = None


def load_library(path=None):
    """Loads the plug-in: the given path, else $KAVELO_LIBRARY, else the first found beside
    this module, in the build tree or by the system loader. The first load is kept for
    later calls without a path."""
    global _library
    if path is None and _library is not None:
        return _library
    explicit = path or os.environ.get("KAVELO_LIBRARY")
    if explicit:
        lib = _declare(ctypes.CDLL(os.fspath(explicit)))  # a wrong explicit path is an error
    else:
        lib, errors = None, []
        for candidate in _candidates():
            try:
                lib = _declare(ctypes.CDLL(candidate))
                break
            except OSError as error:
                errors.append(str(error))
        if lib is None:
            raise OSError("PlgKavelo not found; set KAVELO_LIBRARY. Tried: " + "; ".join(errors))
    if _library is None:
        _library = lib
    return lib


def _text(value):
    return value if isinstance(value, bytes) else value.encode("utf-8", "surrogatepass")


class Game:
    """One game. on_frame() runs after each frame lands in self.pixels; on_game_over(won)
    with True when the board was cleared, False when the time ran out. The newest game
    (or C++ host object) is the one the clock serves."""

    def __init__(self, on_frame=None, on_game_over=None, library=None):
        self._lib = library or load_library()
        self.on_frame, self.on_game_over = on_frame, on_game_over
        # Kept for the game's whole life: the plug-in calls through them.
        self._frame_ready = _FrameReady(self._frame_ready_call)
        self._game_over = _GameOver(self._game_over_call)
        self._handle = self._lib.KaveloCreate(ctypes.byref(_HostDesc(None, self._frame_ready, self._game_over)))
        if not self._handle:
            raise MemoryError("no game could be created")
        self.pixels = None

    def _frame_ready_call(self, _context):
        if self.on_frame:
            self.on_frame()

    def _game_over_call(self, _context, won):
        if self.on_game_over:
            self.on_game_over(bool(won))

    def alloc_gdi_data(self, width, height, bits=32):
        """Gives the game a buffer of height rows of width blue-green-red-alpha pixels, top
        row first; returns it (a ctypes char array, also self.pixels)."""
        self.pixels = ctypes.create_string_buffer(max(width, 0) * max(height, 0) * 4)
        self._lib.KaveloAllocGdiData(self._handle, self.pixels, width, height, bits)
        return self.pixels

    def set_game_param(self, command):
        """A command "param,N;key,value;..."; N or 0 (set-up) on success, -1 on refusal."""
        return self._lib.KaveloSetGameParamUtf8(self._handle, _text(command))

    def input_event(self, event):
        """An event "type,N;..."; its result, -1 on refusal."""
        return self._lib.KaveloInputEventUtf8(self._handle, _text(event))

    def click(self, x, y):
        return self.input_event(f"type,{EVENT_CLICK};x,{x};y,{y};")

    def find_hint(self):
        """A Move that links now, or None."""
        move = Move()
        return move if self._lib.KaveloFindHint(self._handle, ctypes.byref(move)) == 1 else None

    def find_safe_hint(self):
        """A Move that links now and keeps the board clearable when that is found soon, or None."""
        move = Move()
        return move if self._lib.KaveloFindSafeHint(self._handle, ctypes.byref(move)) == 1 else None

    def solve(self, budget_ms):
        """The Moves that clear the board, in order; None when none exist or the time ran out."""
        count = ctypes.c_int(0)
        if self._lib.KaveloSolve(self._handle, None, 0, ctypes.byref(count), budget_ms) != SOLVED:
            return None
        moves = (Move * count.value)()
        # A second search on the same board finds the same moves.
        if self._lib.KaveloSolve(self._handle, moves, count.value, ctypes.byref(count), budget_ms) != SOLVED:
            return None
        return list(moves)

    def set_solvable_shuffles(self, on):
        """Shuffles deal boards that can be cleared (off by default)."""
        self._lib.KaveloSetSolvableShuffles(self._handle, 1 if on else 0)

    def set_deal(self, number):
        """Later set-ups deal by number (an int from 0 to 2**64 - 1), or by the clock again
        with None. TypeError for anything else, ValueError out of range: ctypes would wrap
        such a number silently."""
        if number is None:
            self._lib.KaveloSetDeal(self._handle, 0, 0)
            return
        if not isinstance(number, int) or isinstance(number, bool):
            raise TypeError("a deal number is an int or None")
        if not 0 <= number <= DEAL_MAX:
            raise ValueError(f"a deal number runs from 0 to {DEAL_MAX}")
        self._lib.KaveloSetDeal(self._handle, 1, number)

    @property
    def deal_number(self):
        """The number the board in play was dealt by; None when by the clock or no game is set up."""
        number = ctypes.c_ulonglong(0)
        return number.value if self._lib.KaveloDealNumber(self._handle, ctypes.byref(number)) == 1 else None

    def set_gravity(self, gravity):
        """Later set-ups deal by the rule variant: a GRAVITY_ number or its name in
        GRAVITIES. ValueError, the setting unchanged, for any other value; ctypes would
        wrap a large number silently."""
        if isinstance(gravity, str) and gravity in GRAVITIES:
            gravity = GRAVITIES.index(gravity)
        if not isinstance(gravity, int) or isinstance(gravity, bool) or not 0 <= gravity < len(GRAVITIES):
            raise ValueError(f"a gravity is one of {GRAVITIES} or its number")
        self._lib.KaveloSetGravity(self._handle, gravity)

    @property
    def gravity(self):
        """The GRAVITY_ variant of the board in play, or with no game set up the one the next
        set-up takes; None for a closed game."""
        gravity = self._lib.KaveloGravity(self._handle)
        return None if gravity < 0 else gravity

    @property
    def last_miss(self):
        """Why the last pair clicked was not linked: a MISS_ number; None with no game set up."""
        miss = self.input_event(f"type,{QUERY_LAST_MISS};")
        return None if miss < 0 else miss

    def undo(self):
        """Puts the last removed pair back; False when there is nothing to undo."""
        return self._lib.KaveloUndo(self._handle) == 1

    def redo(self):
        """Removes the last pair put back again; False when there is nothing to redo."""
        return self._lib.KaveloRedo(self._handle) == 1

    def pause(self, on=True):
        """Pauses (or resumes) the game: time stands still, moves are refused and frames show
        no board. A game that is over or not set up does not pause."""
        self._lib.KaveloPause(self._handle, 1 if on else 0)

    @property
    def paused(self):
        return self._lib.KaveloPaused(self._handle) == 1

    def save_game(self):
        """The game in play as bytes, to give load_game later; None when no game is set up."""
        size = ctypes.c_size_t(0)
        if self._lib.KaveloSaveGame(self._handle, None, 0, ctypes.byref(size)) != 0:
            return None
        buffer = ctypes.create_string_buffer(size.value)
        if self._lib.KaveloSaveGame(self._handle, buffer, size.value, ctypes.byref(size)) != 0:
            return None
        return buffer.raw[: size.value]

    def load_game(self, saved):
        """Restores a saved game onto this one, set up with the same board size and kinds;
        False, with the game in play unchanged, when it is refused."""
        data = bytes(saved)
        return self._lib.KaveloLoadGame(self._handle, data, len(data)) == 0

    def close(self):
        """Ends the game and stops the clock; safe inside the game's own callbacks."""
        if self._handle:
            self._lib.KaveloDestroy(self._handle)
            self._handle = None

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()

    def __del__(self):
        self.close()


def dispatch_timers(library=None):
    """Runs the due timer callbacks; how many ran."""
    return (library or load_library()).KaveloDispatchTimers()


def serve_clock(seconds=None, until=None, library=None):
    """Serves this thread's clock in real time, as an event loop would: waits on the
    timer descriptor until the next timer is due, then dispatches. Returns when until()
    is true, when `seconds` have passed, or when no timer runs."""
    lib = library or load_library()
    fd = lib.KaveloTimerFd()
    deadline = None if seconds is None else time.monotonic() + seconds
    while not (until and until()):
        wait_ms = lib.KaveloTimeoutMs()
        left = None if deadline is None else deadline - time.monotonic()
        if wait_ms < 0 or (left is not None and left <= 0):
            return
        wait = wait_ms / 1000 if left is None else min(wait_ms / 1000, left)
        select.select([fd], [], [], wait)
        lib.KaveloDispatchTimers()


class SteppedClock:
    """Replaces this thread's timer clock with one moved by hand, so that games run faster
    than real time; close() (or leaving a with block) restores the system clock."""

    def __init__(self, start_ms=1000, library=None):
        self._lib = library or load_library()
        self.now_ms = start_ms
        self._now = _NowMs(lambda: self.now_ms)
        self._lib.KaveloSetTimerClock(self._now)

    def advance(self, ms):
        """Moves time on by ms and serves what fell due; how many timers ran."""
        self.now_ms += ms
        return self._lib.KaveloDispatchTimers()

    def close(self):
        self._lib.KaveloSetTimerClock(_NowMs())

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()
