#!/usr/bin/python3
"""Resizing the window during a game reloads every image at the level the new
size asks for (seen in the files the process opens), and the game goes on
with its board and score as they were.

Usage: resize.py GAME_EXECUTABLE
"""
import os
import sys
import time

from e2e_support import (Game, board, fail, grab, is_pause_panel, key, occupied, passed,
                         settled_board, start_normal_game, window_size, xdotool)

# Size, then the suffix of the images its level loads.
SIZES = [((1280, 600), "-hd2.png"), ((600, 800), "-hd.png"), ((640, 480), "-hd.png")]
IMAGES = ["common/icons", "common/Buttons", "common/ZUKOLogo", "fonts/quillset", "menu", "logo",
          "parts", "BadgesA", "bricks", "ring"]


def score_digits(window):
    """Where the score's green digits are."""
    pixels = grab(window)
    return {(x, y) for y in range(14, 52) for x in range(250, 390)
            if pixels(x, y)[1] > 50 and pixels(x, y)[1] > max(pixels(x, y)[0], pixels(x, y)[2]) + 30}


def steady_score_digits(window, seconds=3):
    """The score once it has stopped counting up: a group may still blast
    behind the pause and the shown score eases to it."""
    last, end = None, time.time() + seconds
    while time.time() < end:
        digits = score_digits(window)
        if digits == last:
            return digits
        last = digits
        time.sleep(0.4)
    return last


def main():
    log = os.path.join(os.getcwd(), "resize-opened-files.log")
    game = Game(sys.argv[1], prefix=("strace", "-qq", "-f", "-e", "trace=openat", "-o", log))
    try:
        window = game.window
        start_normal_game(window)
        before = occupied(settled_board(window))
        key(window, "Escape")
        time.sleep(0.8)
        score = steady_score_digits(window)
        for size, suffix in SIZES:
            seen = os.path.getsize(log)
            xdotool("windowsize", "--sync", window, *size)
            # The loader takes one image an update; a slow (checked) build
            # needs longer than a second for all of them.
            missing, end = IMAGES, time.time() + 10
            while missing and time.time() < end:
                time.sleep(0.25)
                with open(log) as f:
                    f.seek(seen)
                    opened = f.read()
                missing = [image for image in IMAGES if '/%s%s"' % (image, suffix) not in opened]
            if missing:
                fail("at %dx%d %s%s was not loaded" % (size + (missing[0], suffix)))
            if window_size(window) != size:
                fail("the window is %r, not %r" % (window_size(window), size))
        pixels = grab(window)
        if not is_pause_panel(pixels(230, 200)):
            fail("after the reloads the game is no longer paused")
        # The spinning background behind the digits may shift a few edge pixels.
        if len(steady_score_digits(window) ^ score) > len(score) // 20:
            fail("the score reads differently after the reloads")
        if not score:
            fail("no score to be seen")
        key(window, "Escape")
        time.sleep(0.6)
        after = occupied(board(grab(window)))
        # Only the drop column may have changed in the moment after resuming.
        if {c for c in before ^ after if c[0] != 4}:
            fail("the board changed over the reloads: %r" % sorted(before ^ after))
        end = time.time() + 6
        while occupied(board(grab(window))) == after:
            if time.time() > end:
                fail("the game does not go on after the reloads: no block dropped")
            time.sleep(0.3)
        game.close()
        passed("images reloaded at each size; board and score kept; play goes on")
    finally:
        game.remove()


if __name__ == "__main__":
    main()
