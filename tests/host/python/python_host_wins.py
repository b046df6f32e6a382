"""The Python module plays a whole game to the win on a stepped clock, then serves the
real clock for a moment. Arguments: the module's folder and the artwork's folder."""

import sys
import time

sys.path.insert(0, sys.argv[1])
import kavelo  # noqa: E402

ART = sys.argv[2]
W, H, CELL = 8, 6, 48
SET_UP = (f"param,1;w,{W};h,{H};c,6;r,4;screenWidth,{W * CELL};screenHeight,{H * CELL};screenBits,32;"
          f"zeroX,0;zeroY,0;iconPath,{ART}/tile;iconType,.png;animationFrames,10;"
          f"animationPath,{ART}/trail;animationType,.png;")

frames, overs = [], []
with kavelo.SteppedClock() as clock, kavelo.Game(lambda: frames.append(1), overs.append) as game:
    pixels = game.alloc_gdi_data(W * CELL, H * CELL)
    assert game.set_game_param(SET_UP) == 0
    assert game.set_game_param(f"param,4;timeBar,{ART}/timebar.png;x,0;y,0;time,480;") == 4
    assert game.input_event("type,2;shuffle,4;") == 0
    result, shuffles = None, 0
    while game.input_event("type,256;") > 0 and shuffles < 30:
        clock.advance(100)
        move = game.find_hint()
        if move is None:
            time.sleep(0.002)  # the shuffle seeds from the clocks
            game.input_event("type,2;shuffle,4;")
            shuffles += 1
            continue
        assert game.click(move.x1, move.y1) == 4
        result = game.click(move.x2, move.y2)
        assert result in (1, 99), result
    assert result == 99 and overs == [True], (result, overs)
    assert frames and pixels.raw.count(0) < len(pixels.raw) // 2, "frames delivered"
    assert game.click(1, 1) == -1

# The real clock, served by the module's loop: about five frames in half a second.
with kavelo.Game(lambda: frames.append(1)) as game:
    game.alloc_gdi_data(W * CELL, H * CELL)
    assert game.set_game_param(SET_UP) == 0
    before = len(frames)
    kavelo.serve_clock(seconds=0.5)
    assert 3 <= len(frames) - before <= 6, len(frames) - before
kavelo.serve_clock(seconds=5)  # returns at once: no clock runs after the game closed
print(f"won with {shuffles} shuffles")
