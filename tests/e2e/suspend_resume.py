#!/usr/bin/python3
"""Iconifying under a window manager suspends a running game: the state is
saved and the process stops working; restoring shows the game paused, and
it resumes on the overlay's button. A close request then ends the process
with code 0, saving the state again.

Usage: suspend_resume.py GAME_EXECUTABLE
"""
import os
import sys
import tempfile
import time

from e2e_support import (Game, board, click, fail, grab, is_pause_panel, occupied, passed,
                         read_state, settled_board, start_normal_game, start_openbox, xdotool)

# Points of the overlay's orange body at 640 x 480, clear of its buttons.
PANEL = [(230, 200), (400, 280), (250, 285)]


def cpu_over(game, seconds):
    before = game.cpu_seconds()
    time.sleep(seconds)
    return game.cpu_seconds() - before


def main():
    home = tempfile.mkdtemp(prefix="tumblast-wm-")
    manager = start_openbox(home)
    game = Game(sys.argv[1])
    try:
        window = game.window
        xdotool("windowactivate", "--sync", window)
        start_normal_game(window)
        settled_board(window)
        if os.path.exists(game.state_path()):
            fail("the state was saved before any suspension")
        running = cpu_over(game, 1.5)

        xdotool("windowminimize", "--sync", window)
        end = time.time() + 5
        while not os.path.exists(game.state_path()) and time.time() < end:
            time.sleep(0.1)
        if not os.path.exists(game.state_path()):
            fail("iconifying did not save the state")
        read_state(game.state_path())
        # Suspended, the loop waits for window events instead of updating
        # and drawing 60 times a second.
        time.sleep(0.3)
        iconified = cpu_over(game, 1.5)
        if iconified > 0.05 or iconified > running / 4:
            fail("iconified the game used %.3f s of CPU in 1.5 s (running: %.3f s)"
                 % (iconified, running))

        xdotool("windowactivate", "--sync", window)
        time.sleep(1.0)
        pixels = grab(window)
        if not all(is_pause_panel(pixels(x, y)) for x, y in PANEL):
            fail("the restored game is not paused: %r" % [pixels(x, y) for x, y in PANEL])
        # Paused, nothing drops or moves for longer than a drop interval.
        shaded = occupied(board(pixels, 30))
        time.sleep(2.5)
        if occupied(board(grab(window), 30)) != shaded:
            fail("the board changed while paused")

        # The overlay's resume button. A click that comes while the restored
        # window is still taking focus reaches a suspended game, which does
        # not update, and is lost: a player clicks again, and so does this.
        for attempt in range(3):
            click(window, 320, 240)
            end = time.time() + 3
            while any(is_pause_panel(grab(window)(x, y)) for x, y in PANEL) and time.time() < end:
                time.sleep(0.2)
            if not any(is_pause_panel(grab(window)(x, y)) for x, y in PANEL):
                break
        else:
            fail("the resume button left the overlay up")
        pixels = grab(window)
        before, end = occupied(board(pixels)), time.time() + 6
        while occupied(board(grab(window))) == before:
            if time.time() > end:
                fail("the resumed game does not go on: no block dropped")
            time.sleep(0.3)

        os.remove(game.state_path())
        game.close()
        read_state(game.state_path())
        passed("CPU in 1.5 s: %.3f s running, %.3f s iconified; resumed paused; closed with the "
               "state saved" % (running, iconified))
    finally:
        game.remove()
        manager.terminate()
        manager.wait()


if __name__ == "__main__":
    main()
