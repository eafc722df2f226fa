#!/usr/bin/python3
"""Each screen at 640 x 480, at a wide and at a tall window size: loading,
title, credits, playing, paused and game over, saved as PNG files in the
working folder (screen-WIDTHxHEIGHT-NAME.png) for a person to look at; the
loader's disc and the pause overlay are checked where they must show.

Usage: screens.py GAME_EXECUTABLE
"""
import sys
import time

from e2e_support import Game, click, fail, grab, is_loader_disc, is_pause_panel, key, passed, \
    shot, xdotool

SIZES = [(640, 480), (1280, 600), (600, 800)]


def main():
    game = Game(sys.argv[1])
    try:
        window = game.window
        taken = 0
        for width, height in SIZES:
            # Window pixels of a point of the 640 x 480-based virtual screen.
            scale = max(width / 640, height / 480)
            vw, vh = width / scale, height / scale
            landscape = vw >= vh

            def at(x, y):
                return round(x * scale), round(y * scale)

            def take(name):
                nonlocal taken
                shot(window, "screen-%dx%d-%s.png" % (width, height, name))
                taken += 1

            if (width, height) != (640, 480):
                xdotool("windowmove", "--sync", window, 0, 0)
                xdotool("windowsize", "--sync", window, width, height)
            pixels = grab(window)
            take("loading")
            if not is_loader_disc(pixels(*at(vw * 0.5, vh * 0.5 - min(vw, vh) * 0.28))):
                print("note: the loader was over before the screenshot at %dx%d" % (width, height))
            time.sleep(1.5)
            take("title")
            click(window, *at(vw - 70, vh - 40))
            time.sleep(1.0)
            take("credits")
            click(window, *at(vw * 0.5, vh * 0.5))
            time.sleep(1.0)
            click(window, *at(vw * 0.4, vh * 0.7) if landscape else at(vw * 0.3, vh * 0.65))
            time.sleep(2.5)
            take("playing")
            key(window, "Escape")
            time.sleep(0.8)
            take("paused")
            c, p = vw * 0.5, int(vh * 0.5)
            if not is_pause_panel(grab(window)(*at(c - 90, p - 40))):
                fail("no pause overlay at %dx%d" % (width, height))
            click(window, *at(c - 140, p - 64) if landscape else at(c - 96, p - 96))
            time.sleep(1.0)
            take("game_over")
            time.sleep(2.6)  # the banner, then the title again
        game.close()
        passed("%d screenshots" % taken)
    finally:
        game.remove()


if __name__ == "__main__":
    main()
