"""The Python module names the protocol's numbers as the C header does, plays a whole game
to the win on a stepped clock, then serves the real clock for a moment. Arguments: the
module's folder, the artwork's folder and KaveloProtocol.h."""

import re
import sys
import time

sys.path.insert(0, sys.argv[1])
import kavelo  # noqa: E402
from kavelo import (EVENT_SHUFFLE, EVENT_TIME, PARAM_DEAL, PARAM_SET_UP, PARAM_TIME_BAR, QUERY_TILES_LEFT,  # noqa: E402
                    SHUFFLE_SPREAD)

# Every "#define KAVELO_X value" of the header is kavelo.X, and every protocol name of the
# module is in the header; a value may be another name.
with open(sys.argv[3]) as protocol:
    header = dict(re.findall(r"^#define KAVELO_([A-Z_]+[A-Z])\s+(\w+)", protocol.read(), re.MULTILINE))
groups = {name.split("_")[0] for name in header}
assert groups == {"PARAM", "EVENT", "QUERY", "CLICK", "MISS", "GRAVITY", "SHUFFLE", "SOUND"}, groups
for name, value in header.items():
    number = int(value) if value.isdigit() else int(header[value.removeprefix("KAVELO_")])
    assert getattr(kavelo, name, None) == number, (name, number, getattr(kavelo, name, None))
module_names = {name for name in dir(kavelo) if name.split("_")[0] in groups and name.isupper()}
assert module_names == set(header), module_names ^ set(header)

ART = sys.argv[2]
W, H, CELL = 8, 6, 48
SHUFFLE = f"type,{EVENT_SHUFFLE};shuffle,{SHUFFLE_SPREAD};"
TILES_LEFT = f"type,{QUERY_TILES_LEFT};"
TIME = f"type,{EVENT_TIME};time,1;"
SET_UP = (f"param,{PARAM_SET_UP};w,{W};h,{H};c,6;r,4;screenWidth,{W * CELL};screenHeight,{H * CELL};screenBits,32;"
          f"zeroX,0;zeroY,0;iconPath,{ART}/tile;iconType,.png;animationFrames,10;"
          f"animationPath,{ART}/trail;animationType,.png;")

frames, overs = [], []
with kavelo.SteppedClock() as clock, kavelo.Game(lambda: frames.append(1), overs.append) as game:
    pixels = game.alloc_gdi_data(W * CELL, H * CELL)
    assert game.set_game_param(SET_UP) == 0
    time_bar = f"param,{PARAM_TIME_BAR};timeBar,{ART}/timebar.png;x,0;y,0;time,480;"
    assert game.set_game_param(time_bar) == PARAM_TIME_BAR
    assert game.input_event(SHUFFLE) == 0
    result, shuffles = None, 0
    while game.input_event(TILES_LEFT) > 0 and shuffles < 30:
        clock.advance(100)
        move = game.find_hint()
        if move is None:
            time.sleep(0.002)  # the shuffle seeds from the clocks
            game.input_event(SHUFFLE)
            shuffles += 1
            continue
        assert game.click(move.x1, move.y1) == kavelo.CLICK_CHOOSE
        result = game.click(move.x2, move.y2)
        assert result in (kavelo.CLICK_CONNECT, kavelo.CLICK_WIN), result
        if result == kavelo.CLICK_CONNECT:
            assert game.undo() and game.redo() and not game.redo()
    assert result == kavelo.CLICK_WIN and overs == [True], (result, overs)
    assert frames and pixels.raw.count(0) < len(pixels.raw) // 2, "frames delivered"
    assert game.click(1, 1) == -1

# Clearable shuffles: the solver's moves win.
with kavelo.Game(on_game_over=overs.append) as game:
    game.alloc_gdi_data(W * CELL, H * CELL)
    game.set_solvable_shuffles(True)
    assert game.set_game_param(SET_UP) == 0 and game.input_event(SHUFFLE) == 0
    moves = game.solve(60000)
    assert moves is not None and len(moves) == game.input_event(TILES_LEFT) // 2
    for move in moves:
        game.click(move.x1, move.y1), game.click(move.x2, move.y2)
    assert overs == [True, True], overs

# Saved, played on, refused a foreign save, loaded back: the game of the save; paused, it
# refuses clicks and its time stands still.
with kavelo.Game() as game:
    game.alloc_gdi_data(W * CELL, H * CELL)
    assert game.save_game() is None
    assert game.set_game_param(SET_UP) == 0 and game.set_game_param(time_bar) == PARAM_TIME_BAR
    assert game.input_event(SHUFFLE) == 0
    saved = game.save_game()
    move = game.find_hint()
    game.click(move.x1, move.y1), game.click(move.x2, move.y2)
    assert game.input_event(TILES_LEFT) == 22
    assert not game.load_game(saved[:-1]) and not game.load_game(b"") and game.input_event(TILES_LEFT) == 22
    assert game.load_game(saved) and game.save_game() == saved
    game.pause()
    assert game.paused and game.click(move.x1, move.y1) == -1 and game.input_event(TIME) == -1
    game.pause(False)
    assert not game.paused and game.input_event(TIME) == 1

# Numbered deals: one number deals one board, also past what a double holds; values
# ctypes would wrap are refused before they reach the plug-in.
def dealt(game, number):
    game.set_deal(number)
    assert game.set_game_param(SET_UP) == 0 and game.input_event(SHUFFLE) == 0
    assert game.deal_number == number, (game.deal_number, number)
    return game.save_game()[77:]  # the grids and history, after the envelope and the fields


with kavelo.Game() as game, kavelo.Game() as other:
    game.alloc_gdi_data(W * CELL, H * CELL), other.alloc_gdi_data(W * CELL, H * CELL)
    assert game.deal_number is None
    for number in (0, 2**53 + 1, kavelo.DEAL_MAX):
        assert dealt(game, number) == dealt(other, number), number
    assert dealt(game, 48213) != dealt(game, 48214)
    for wrong, error in ((-1, ValueError), (2**64, ValueError), (True, TypeError), ("5", TypeError),
                         (5.0, TypeError)):
        try:
            game.set_deal(wrong)
            raise AssertionError(f"set_deal({wrong!r}) was taken")
        except error:
            pass
    assert dealt(game, None) is not None and game.deal_number is None
    assert game.set_game_param(f"param,{PARAM_DEAL};deal,12x;") == -1
game.set_deal(5)  # a closed game ignores it
assert game.deal_number is None

# Gravity: the variant by name or number for later set-ups, unknown ones refused with the
# setting kept; the solver's moves clear a falling board; a pair of two pictures says so.
with kavelo.Game(on_game_over=overs.append) as game:
    game.alloc_gdi_data(W * CELL, H * CELL)
    game.set_solvable_shuffles(True)
    assert game.gravity == kavelo.GRAVITY_NONE and game.last_miss is None
    game.set_gravity("left")
    game.set_deal(48213)  # the same falling board on every run
    for wrong in ("sideways", "Down", 5, -1, 2**40, True, None, 1.0):
        try:
            game.set_gravity(wrong)
            raise AssertionError(f"set_gravity({wrong!r}) was taken")
        except ValueError:
            pass
    assert game.gravity == kavelo.GRAVITY_LEFT
    assert game.set_game_param(SET_UP) == 0 and game.input_event(SHUFFLE) == 0
    game.set_gravity(kavelo.GRAVITY_DOWN)
    assert game.gravity == kavelo.GRAVITY_LEFT and game.last_miss == kavelo.MISS_NONE
    board = game.save_game()[77:77 + W * H]
    a = next(i for i in range(W * H) if board[i])
    b = next(i for i in range(W * H) if board[i] and board[i] != board[a])
    game.click(a % W, a // W)
    assert game.click(b % W, b // W) == kavelo.CLICK_WRONG and game.last_miss == kavelo.MISS_KINDS
    assert game.click(0, 0) == kavelo.CLICK_CANCEL  # nothing selected for the solver's clicks
    moves = game.solve(60000)
    assert moves is not None
    for move in moves:
        game.click(move.x1, move.y1), game.click(move.x2, move.y2)
    assert overs[-1] is True and game.input_event(TILES_LEFT) == 0 and game.last_miss == kavelo.MISS_NONE
    assert game.set_game_param(f"param,{kavelo.PARAM_RULES};gravity,up;") == kavelo.PARAM_RULES
    assert game.set_game_param(f"param,{kavelo.PARAM_RULES};gravity,top;") == -1
    assert game.set_game_param(SET_UP) == 0 and game.gravity == kavelo.GRAVITY_UP
assert game.gravity is None  # closed

# The real clock, served by the module's loop: about five frames in half a second.
with kavelo.Game(lambda: frames.append(1)) as game:
    game.alloc_gdi_data(W * CELL, H * CELL)
    assert game.set_game_param(SET_UP) == 0
    before = len(frames)
    kavelo.serve_clock(seconds=0.5)
    assert 3 <= len(frames) - before <= 6, len(frames) - before
kavelo.serve_clock(seconds=5)  # returns at once: no clock runs after the game closed
print(f"won with {shuffles} shuffles")
