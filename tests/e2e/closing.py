#!/usr/bin/python3
"""Every way a game is asked to end saves the state and ends with code 0: a
close request to a minimised window, one that comes while the game is still
starting, SIGTERM (logout, shutdown) and SIGHUP (a closed terminal), also to
a minimised game. The audio device is closed on the way out. Without a
display the game says why and what to do.

Usage: closing.py GAME_EXECUTABLE
"""
import os
import signal
import subprocess
import sys
import tempfile
import time

from e2e_support import (Game, fail, minimise_until_saved, read_state, request_close, run_to_end,
                         scratch_folder, start_normal_game, start_openbox, xdotool)

GAME = sys.argv[1]


def ended(game, how, seconds=10):
    """The game's end after `how`: code 0, the state saved anew, the audio
    device closed."""
    try:
        out, err = game.process.communicate(timeout=seconds)
    except subprocess.TimeoutExpired:
        fail("%s: the game did not end" % how)
    if game.process.returncode != 0:
        fail("%s: exit code %d; stderr %r" % (how, game.process.returncode, err))
    if not os.path.exists(game.state_path()):
        fail("%s: the state was not saved" % how)
    read_state(game.state_path())
    if "device not closed" in err:
        fail("%s: the audio device was left open: %r" % (how, err))


def minimised(game):
    """The game iconified, once its suspension has saved; that save removed,
    so only the close path can write the state again."""
    minimise_until_saved(game)
    time.sleep(0.3)
    os.remove(game.state_path())


def ends_after(how, act, minimise=False, settle=0.0):
    """A fresh game, minimised during a Normal game if asked, ends after `act`."""
    game = Game(GAME)
    try:
        if minimise:
            xdotool("windowactivate", "--sync", game.window)
            start_normal_game(game.window)
            minimised(game)
        time.sleep(settle)
        act(game)
        ended(game, how)
    finally:
        game.remove()


def close_requests_and_signals():
    close = lambda game: request_close(game.window)
    send = lambda number: lambda game: game.process.send_signal(number)
    # Straight after the window appears, while the game is still starting:
    # one request, never repeated.
    cases = [("close request while starting (start %d)" % n, close) for n in range(1, 6)]
    cases += [("close request to the minimised window", close, True),
              ("SIGTERM on the title menu", send(signal.SIGTERM), False, 1.5),
              ("SIGHUP while starting", send(signal.SIGHUP)),
              ("SIGTERM to the minimised game", send(signal.SIGTERM), True),
              ("SIGHUP to the minimised game", send(signal.SIGHUP), True)]
    for case in cases:
        ends_after(*case)


def no_display():
    with scratch_folder(GAME) as folder:
        for case, env, named in (("DISPLAY unset", {"DISPLAY": None}, "DISPLAY"),
                                 ("display unreachable", {"DISPLAY": ":97"}, ":97")):
            code, out, err = run_to_end(GAME, folder, env)
            if code != 255 or "glfwInit failed" not in out or named not in err or "desktop" not in err:
                fail("%s: code %d, stdout %r, stderr %r" % (case, code, out, err))
            print("%s:" % case, err.strip())


def main():
    no_display()
    home = tempfile.mkdtemp(prefix="tumblast-wm-")
    manager = start_openbox(home)
    try:
        close_requests_and_signals()
    finally:
        manager.terminate()
        manager.wait()
    print("close requests while starting and when minimised, SIGTERM, SIGHUP, no display")
    print("4 passed, 0 failed")


if __name__ == "__main__":
    main()
