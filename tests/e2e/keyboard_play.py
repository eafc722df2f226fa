#!/usr/bin/python3
"""A whole round played with the keyboard alone, by real X key events and
never a mouse event: a difficulty chosen and started by keys, the board
cursor found in the window's pixels and moved onto a block, the block moved
a cell by keys, pause by a quick tap of Escape (press and release within
one update), quit through the pause overlay by keys, the banner, the title
again and the score on disk.

Usage: keyboard_play.py GAME_EXECUTABLE [SCREENSHOT_FOLDER]
"""
import os
import sys
import time

from e2e_support import (Game, board, face, fail, grab, is_pause_panel, passed, read_state,
                         settled_board, xdotool)

SHOTS = sys.argv[2] if len(sys.argv) > 2 else None


def shot(window, name):
    if SHOTS:
        xdotool("windowfocus", "--sync", window)
        import subprocess
        subprocess.run(["import", "-window", str(window), os.path.join(SHOTS, name + ".png")],
                       check=True)


def press(window, name, hold=0.1):
    """A key held as a player holds it."""
    xdotool("windowfocus", "--sync", window)
    xdotool("keydown", name)
    time.sleep(hold)
    xdotool("keyup", name)
    time.sleep(0.1)


def tap(window, name):
    """Press and release back to back: shorter than one update."""
    xdotool("windowfocus", "--sync", window)
    xdotool("key", "--delay", "0", name)


def is_frame(rgb):
    """The cursor frame's yellow."""
    r, g, b = rgb
    return r > 230 and 200 < g < 250 and b < 130


def find_cursor(window):
    """The cell whose face the cursor frame surrounds, or None."""
    pixels = grab(window)
    for row in range(0, 12):
        for col in range(1, 9):
            x, y = face(col, row)
            if y - 20 < 0:
                continue
            if all(is_frame(pixels(px, py)) for px, py in ((x - 20, y), (x + 20, y), (x, y + 20))):
                return col, row
    return None


def is_band(rgb):
    r, g, b = rgb
    return r > 120 and g > 120 and b < 70 and abs(r - g) < 40


def is_green(rgb):
    return rgb[1] > 120 and rgb[0] < 100 and rgb[2] < 120


def is_orange(rgb):
    return rgb[0] > 180 and 100 < rgb[1] < 180 and rgb[2] < 80


def is_red(rgb):
    return rgb[0] > 180 and rgb[1] < 130 and rgb[2] < 130


def same(a, b):
    return a is not None and b is not None and max(abs(p - q) for p, q in zip(a, b)) < 50


def group_size(cells, start):
    colour, seen, todo = cells[start], {start}, [start]
    while todo:
        c, r = todo.pop()
        for n in ((c - 1, r), (c + 1, r), (c, r - 1), (c, r + 1)):
            if n in cells and n not in seen and same(cells[n], colour):
                seen.add(n)
                todo.append(n)
    return len(seen)


def moves(cells):
    """Top blocks standing on something with an empty cell beside them (not
    in column 4, where timed drops fall): (makes a group, col, row, side)."""
    found = []
    for (c, r), colour in sorted(cells.items()):
        if colour is None or c == 4 or (r > 2 and cells[(c, r - 1)] is not None):
            continue
        if r < 11 and cells[(c, r + 1)] is None:
            continue
        for side in (-1, 1):
            t = c + side
            if not 1 <= t <= 8 or t == 4 or cells[(t, r)] is not None:
                continue
            land = r
            while land < 11 and cells[(t, land + 1)] is None:
                land += 1
            after = dict(cells)
            after[(c, r)] = None
            after[(t, land)] = colour
            found.append((group_size(after, (t, land)) >= 3, c, r, side))
    return sorted(found, reverse=True)


def main():
    game = Game(sys.argv[1])
    window = game.window
    try:
        time.sleep(1.5)  # the loader, then the menu slides in
        # Normal is chosen at first; Right picks Hard, Left Normal again.
        press(window, "Right")
        press(window, "Left")
        press(window, "space")
        time.sleep(2.5)  # the board falls into place
        if find_cursor(window):
            fail("the cursor shows before any key of the game")
        before = settled_board(window)
        found = moves(before)
        if not found:
            fail("no block with room to slide on the board")
        grouping, col, row, side = found[0]

        press(window, "Up")  # the first key shows the cursor
        time.sleep(0.2)
        at = find_cursor(window)
        if not at:
            fail("no cursor frame on the board after a key")
        shot(window, "cursor")
        for _ in range(20):
            if at == (col, row):
                break
            c, r = at
            press(window, "Left" if c > col else "Right" if c < col else "Up" if r > row else "Down")
            at = find_cursor(window)
            if not at:
                fail("the cursor frame went away while moving")
        if at != (col, row):
            fail("the cursor did not reach column %d row %d (at %s)" % (col, row, at))

        xdotool("keydown", "space")
        time.sleep(0.3)
        shot(window, "held")
        press(window, "Right" if side > 0 else "Left")
        time.sleep(0.4)
        xdotool("keyup", "space")
        time.sleep(0.8)
        after = board(grab(window))
        if after[(col, row)] is not None:
            fail("the block at column %d row %d did not move" % (col, row))
        print("moved the block at column %d row %d by keys%s" %
              (col, row, ", making a group" if grouping else ""))

        tap(window, "Escape")
        time.sleep(0.6)
        if not is_pause_panel(grab(window)(230, 200)):
            fail("a quick tap of Escape did not pause the game")
        press(window, "Left")  # the overlay's quit button
        press(window, "space")
        # The banner's yellow band across the left of the screen, for about
        # a second and a half.
        end, band = time.time() + 3, 0
        while band < 30 and time.time() < end:
            pixels = grab(window)
            band = sum(1 for x in range(0, 160, 4) if is_band(pixels(x, 216)))
        if band < 30:
            fail("no banner after quitting")
        shot(window, "banner")
        # Then the title's three plates: green, orange, red.
        end, plates = time.time() + 6, False
        while not plates and time.time() < end:
            time.sleep(0.3)
            pixels = grab(window)
            plates = (is_green(pixels(95, 340)) and is_orange(pixels(225, 340)) and
                      is_red(pixels(355, 340)))
        if not plates:
            fail("the title did not come back after the banner")
        shot(window, "title_again")
        game.close()

        values = read_state(game.state_path())
        best_normal, last_normal = values[56], values[57]
        if best_normal != last_normal:
            fail("the round's score %d is not also the best %d" % (last_normal, best_normal))
        if grouping and last_normal <= 0:
            fail("the group made by keys scored nothing")
        passed("keyboard round passed, score %d" % last_normal)
    finally:
        game.remove()


if __name__ == "__main__":
    main()
