#!/usr/bin/python3
"""The folder the game runs in: started where there is no data folder, it
says where it looked and how to start it, and ends; missing, cut-short and
damaged images are named on standard error; a second copy in the same folder
is refused where the player sees it, so that both copies' games are kept;
the left-overs of a save cut short by a kill go at the next start.

Usage: game_folder.py GAME_EXECUTABLE
"""
import os
import struct
import subprocess
import sys
import time
import zlib

from e2e_support import (Game, Notifications, fail, last_scores, quit_through_pause, read_state,
                         run_to_end, scratch_folder, start_normal_game, write_state)

GAME = os.path.abspath(sys.argv[1])
DATA = os.path.join(os.path.dirname(GAME), "data")
REFUSED = 255  # start-up failures end with -1


def data_with(folder, changes):
    """A data folder of links to the real files, but for the named files:
    None leaves a file out, bytes replace its content."""
    for path, dirs, files in os.walk(DATA, followlinks=True):
        rel = os.path.relpath(path, DATA)
        os.makedirs(os.path.join(folder, "data", rel), exist_ok=True)
        for name in files:
            name = os.path.normpath(os.path.join(rel, name))
            target = os.path.join(folder, "data", name)
            if name not in changes:
                os.symlink(os.path.join(DATA, name), target)
            elif changes[name] is not None:
                with open(target, "wb") as f:
                    f.write(changes[name])


def one_pixel_png():
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 1, 1, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(b"\0\0\0\0\0")) + chunk(b"IEND", b""))


def no_data_folder():
    with scratch_folder() as folder:
        code, out, err = run_to_end(GAME, folder)
        if code != REFUSED or os.path.join(folder, "data") not in err or DATA.rsplit("/", 1)[0] not in err:
            fail("without data: code %d, stderr %r" % (code, err))


def damaged_images():
    """Missing and cut-short images leave their ids empty, each named once;
    a one-pixel font stops the game with a message naming the file."""
    with scratch_folder() as folder:
        ring = open(os.path.join(DATA, "ring-hd.png"), "rb").read()
        data_with(folder, {"bricks-hd.png": None, "ring-hd.png": ring[:len(ring) // 2]})
        with Game(GAME, folder=folder) as game:
            time.sleep(1.5)  # the loader has been through every file
            game.close()
        for name in ("bricks-hd.png", "ring-hd.png"):
            lines = [line for line in game.err.splitlines() if name in line]
            if len(lines) != 1:
                fail("%s named %d times on stderr: %r" % (name, len(lines), game.err))
        print("named on stderr:", *[l for l in game.err.splitlines() if ".png" in l], sep="\n  ")

    with scratch_folder() as folder:
        data_with(folder, {"fonts/quillset-hd.png": one_pixel_png()})
        code, out, err = run_to_end(GAME, folder)
        if code != REFUSED or "Image frame outside surface" not in out or "quillset-hd.png" not in out:
            fail("one-pixel font: code %d, stdout %r" % (code, out))


def two_copies_in_one_folder(notes):
    """Each copy finishes a game in the same folder; neither game is lost."""
    with scratch_folder(GAME) as folder:
        state = os.path.join(folder, ".quibbostate")
        write_state(state, last_normal=[101, 102, 103])
        with Game(GAME, folder=folder, env=notes.env) as first:
            code, out, err = run_to_end(GAME, folder, notes.env)
            if code != REFUSED or "already running" not in err or folder not in err:
                fail("second copy: code %d, stderr %r" % (code, err))
            if "already running" not in notes.shown():
                fail("the second copy showed no notification")
            start_normal_game(first.window)
            quit_through_pause(first.window)
            first.close()
        with Game(GAME, folder=folder) as second:
            start_normal_game(second.window)
            quit_through_pause(second.window)
            second.close()
        last = last_scores(read_state(state))
        if last[2:5] != [101, 102, 103]:
            fail("the last scores of Normal are %r: a game was lost" % last)


def stale_saves():
    """A save's own file whose process was killed goes; one of a live
    process stays."""
    with scratch_folder(GAME) as folder:
        gone = subprocess.Popen(["true"])
        gone.wait()
        dead = os.path.join(folder, ".quibbostate.%d-1-123456" % gone.pid)
        live = os.path.join(folder, ".quibbostate.%d-1-123456" % os.getpid())
        other = os.path.join(folder, ".quibbostate.%d-x" % gone.pid)
        for path in (dead, live, other):
            open(path, "w").write("1|2|")
        with Game(GAME, folder=folder) as game:
            time.sleep(0.5)
            if os.path.exists(dead) or not os.path.exists(live) or not os.path.exists(other):
                fail("after the start: %r" % sorted(os.listdir(folder)))
            game.close()


def main():
    notes = Notifications()
    try:
        no_data_folder()
        damaged_images()
        two_copies_in_one_folder(notes)
        stale_saves()
    finally:
        notes.remove()
    print("no data folder, damaged images, two copies in one folder, stale saves")
    print("4 passed, 0 failed")


if __name__ == "__main__":
    main()
