#!/usr/bin/python3
"""A round of the real game driven by real X input: title menu, the credits
box opened and closed, a game with a block dragged sideways, pause, quit
through the pause overlay, the banner, back to the title; then the scores and
the first-game badge on disk, and a second start that reads them and shows
the badge in the gallery.

Usage: play_through.py GAME_EXECUTABLE [SCREENSHOT_FOLDER]
Runs on the X display in $DISPLAY, without a window manager (the window then
sits exactly where the game puts it). Needs xdotool and ImageMagick.
"""
import os
import sys
import time

from e2e_support import (Game, board, click, face, fail, grab, is_pause_panel, key, read_state,
                         settled_board, shot, until, wait_for_title, xdotool)

GAME = sys.argv[1]
SHOTS = sys.argv[2] if len(sys.argv) > 2 else None


def snap(window, name):
    if SHOTS:
        shot(window, os.path.join(SHOTS, name + ".png"))


def same(a, b):
    return a is not None and b is not None and max(abs(x - y) for x, y in zip(a, b)) < 50


def group_size(cells, start):
    colour, seen, todo = cells[start], {start}, [start]
    while todo:
        c, r = todo.pop()
        for n in ((c - 1, r), (c + 1, r), (c, r - 1), (c, r + 1)):
            if n in cells and n not in seen and same(cells[n], colour):
                seen.add(n)
                todo.append(n)
    return len(seen)


def height(cells, col):
    return sum(cells[(col, r)] is not None for r in range(2, 12))


def find_move(cells):
    """A column's top block, standing on something, with an empty cell beside
    it, whose move forms no group (so it stays to be seen). Column 4, where
    timed drops fall, is left alone. Returns (col, row, side, landing row)."""
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
            if group_size(after, (t, land)) < 3:
                return c, r, side, land
    return None


def main():
    game = Game(GAME)
    try:
        window = game.window
        snap(window, "loading")
        wait_for_title(window)
        snap(window, "title")

        # The studio emblem opens the credits box; its yellow top frame covers
        # the grey menu until a click anywhere closes it again.
        def top_edge_yellow():
            r, g, b = grab(window)(320, 10)
            return r > 200 and g > 200 and b < 80
        if top_edge_yellow():
            fail("the title menu already looks like the credits box")
        click(window, 570, 440)
        time.sleep(0.8)
        snap(window, "credits")
        if not top_edge_yellow():
            fail("the studio emblem did not open the credits box")
        click(window, 320, 240)
        time.sleep(1.0)
        if top_edge_yellow():
            fail("a click did not close the credits box")

        # "Normal" (six colours) fills about two cells in five: a settled board
        # with few chance groups and no rain of new blocks.
        click(window, 256, 336)
        time.sleep(2.5)  # the board falls into place
        snap(window, "playing")
        before = settled_board(window)
        move = find_move(before)
        if not move:
            fail("no block with room to slide on the board")
        col, row, side, land = move
        x, y = face(col, row)
        xdotool("mousemove", "--window", window, x, y)
        xdotool("mousedown", "1")
        time.sleep(0.2)
        for step in range(1, 5):
            xdotool("mousemove", "--window", window, x + side * 10 * step, y)
            time.sleep(0.05)
        time.sleep(0.2)
        xdotool("mouseup", "1")
        time.sleep(0.5)
        after = board(grab(window))
        if after[(col, row)] is not None:
            fail("the block at column %d row %d did not move" % (col, row))
        if after[(col + side, land)] is None or height(after, col + side) != height(before, col + side) + 1:
            fail("the block did not arrive in column %d row %d" % (col + side, land))
        key(window, "Escape")
        time.sleep(0.6)
        snap(window, "paused")
        if not is_pause_panel(grab(window)(230, 200)):
            fail("Escape did not pause the game")
        click(window, 180, 184)  # the pause overlay's quit button
        time.sleep(0.9)
        snap(window, "game_over")
        time.sleep(2.5)  # the banner, the recording, back to the title
        snap(window, "title_after")
        game.close()

        values = read_state(game.state_path())
        # Table 1 (Normal) follows 25 settings, their sum, 8 badge words, their
        # sum and table 0's 21 fields: pairs of best and last score from 56.
        table = values[56:77]
        best_normal, last_normal = table[0], table[1]
        if best_normal != last_normal:
            fail("the first game's score %d is not also the best %d" % (last_normal, best_normal))
        settings_sum = sum(i * v for i, v in enumerate(values[:25]))
        if settings_sum != values[25]:
            fail("settings checksum %d, stored %d" % (settings_sum, values[25]))
        if sum((j + 4) * table[2 * j] + (1 + j + 3) * table[2 * j + 1] for j in range(10)) != table[20]:
            fail("table 1 checksum does not match")
        print("recorded score (last list of Normal):", last_normal)
        # The first game earns its badge (id 23: bit 23 of the first badge
        # word), saved with the game under a badge checksum that holds.
        words = values[26:34]
        if not words[0] >> 23 & 1:
            fail("the first-game badge is not in the saved badge words %r" % words)
        if sum(words) != values[34]:
            fail("badge checksum %d, stored %d" % (sum(words), values[34]))
        if values[13] != 1:
            fail("the games-played count in setting 13 is %d, not 1" % values[13])

        game = Game(GAME, folder=game.folder)
        window = game.window

        # The medal below the sound switch opens the gallery: its orange frame
        # stands at the left, the first-game badge leads its grid in colour
        # while one not earned is dimmed.
        def medal_in_place():
            r, g, b = grab(window)(45, 312)  # the medal's disc, right of its star
            return r > 200 and 150 < g < 230 and b < 100
        def gallery_frame():
            r, g, b = grab(window)(70, 20)
            return r > 180 and 60 < g < 150 and b < 60
        def brightness(pixels, cx, cy):
            return sum(sum(pixels(cx + dx, cy + dy)) for dx in range(-12, 13, 4) for dy in range(-12, 13, 4))
        if not until(medal_in_place, 20):
            fail("no badge button below the sound switch")
        if gallery_frame():
            fail("the title menu already looks like the badge gallery")
        click(window, 32, 304)
        if not until(gallery_frame, 5):
            fail("the badge button did not open the gallery")
        # The first grid row holds ids 23, 21, 13, 5, 17, 9 and 1; a first game
        # may earn more than its own badge (a group of 5 earns id 21), so the
        # first-game badge is held against one the save shows as not earned.
        dimmed_cell = next(i for i, badge in enumerate([23, 21, 13, 5, 17, 9, 1])
                           if not words[0] >> badge & 1)
        def earned_and_dimmed():
            pixels = grab(window)
            return brightness(pixels, 140, 94), brightness(pixels, 140 + 60 * dimmed_cell, 94)
        def in_colour():
            earned, dimmed = earned_and_dimmed()
            return earned >= 2 * dimmed
        # Looked at until a loaded machine has drawn the grid.
        if not until(in_colour, 5):
            fail("the first-game badge is not shown in colour (%d against %d)" % earned_and_dimmed())
        snap(window, "gallery")
        out = game.close()
        loaded = [line for line in out.splitlines() if "Loaded" in line]
        expected = ["Settings Loaded", "Badges Loaded", "Highscore 0 Loaded", "Highscore 1 Loaded",
                    "Highscore 2 Loaded"]
        if loaded != expected:
            fail("second start printed %r" % loaded)
        print("play-through passed")
        print("1 passed, 0 failed")
    finally:
        game.remove()


if __name__ == "__main__":
    main()
