#!/usr/bin/python3
"""A whole round played by real key events alone, never a mouse event: a
difficulty chosen and started by keys, the board cursor found in the
window's pixels and brought onto a block, the block moved by keys, pause by
a quick tap of Escape (press and release within one update), quit through
the pause overlay by keys, the banner, the title again, the score on disk.

Usage: keyboard_play.py GAME_EXECUTABLE [SCREENSHOT_FOLDER]
"""
import os
import sys
import time

from e2e_support import (Game, board, face, fail, grab, is_pause_panel, is_title_menu, key, passed,
                         read_state, settled_board, shot, until, wait_for_pixels, wait_for_title, xdotool)


def find_cursor(window):
    """The cell whose face the yellow cursor frame surrounds, or None."""
    pixels = grab(window)
    for col, row in ((c, r) for r in range(1, 12) for c in range(1, 9)):
        x, y = face(col, row)
        edges = (pixels(x - 20, y), pixels(x + 20, y), pixels(x, y + 20))
        if all(r > 230 and 200 < g < 250 and b < 130 for r, g, b in edges):
            return col, row
    return None


def find_move(cells):
    """A top block standing on something beside an empty cell, away from
    column 4 where timed drops fall: (col, row, side)."""
    for (c, r), colour in sorted(cells.items()):
        free_above = r == 2 or cells[(c, r - 1)] is None
        standing = r == 11 or cells[(c, r + 1)] is not None
        if colour is None or c == 4 or not free_above or not standing:
            continue
        for side in (-1, 1):
            if 1 <= c + side <= 8 and c + side != 4 and cells[(c + side, r)] is None:
                return c, r, side
    fail("no block with room to slide on the board")


def snap(name):
    if len(sys.argv) > 2:
        shot(game.window, os.path.join(sys.argv[2], name + ".png"))


game = Game(sys.argv[1])
try:
    window = game.window
    wait_for_title(window)
    for name in ("Right", "Left", "space"):  # Hard, back to Normal, start
        key(window, name)
    time.sleep(2.5)  # the board falls into place
    if find_cursor(window):
        fail("the cursor shows before any key of the game")
    col, row, side = find_move(settled_board(window))
    # Each key is looked for until a loaded machine has drawn what it did.
    key(window, "Up")  # shows the cursor
    until(lambda: find_cursor(window), 3)
    for _ in range(20):
        at = find_cursor(window)
        if not at or at == (col, row):
            break
        key(window, "Left" if at[0] > col else "Right" if at[0] < col else "Up" if at[1] > row else "Down")
        until(lambda: find_cursor(window) != at, 3)
    if at != (col, row):
        fail("the cursor did not reach column %d row %d (at %s)" % (col, row, at))
    snap("cursor")

    xdotool("keydown", "space")
    time.sleep(0.3)
    snap("held")
    key(window, "Right" if side > 0 else "Left")
    time.sleep(0.4)
    xdotool("keyup", "space")
    if not until(lambda: board(grab(window))[(col, row)] is None, 3):
        fail("the block at column %d row %d did not move" % (col, row))

    xdotool("key", "--delay", "0", "Escape")
    wait_for_pixels(window, "a quick tap of Escape did not pause the game", lambda p: is_pause_panel(p(230, 200)), 2)
    for name in ("Left", "space"):  # the overlay's quit button
        key(window, name)
    # The banner's yellow band, then the title's green, orange and red plates.
    wait_for_pixels(window, "no banner after quitting",
                    lambda p: all(p(x, 216)[0] > 120 and p(x, 216)[2] < 70 for x in range(0, 160, 8)), 3)
    snap("banner")
    wait_for_pixels(window, "the title did not come back", is_title_menu, 6)
    game.close()
    values = read_state(game.state_path())
    if values[56] != values[57]:  # Normal's best and last score
        fail("the round's score %d is not also the best %d" % (values[57], values[56]))
    passed("keyboard round passed, score %d" % values[57])
finally:
    game.remove()
