#!/usr/bin/python3
"""On the title screen: F10 shows the debug line and hides it again; the
menu's sounds reach OpenAL's wave-file output while the sound option is on
and nothing does once the player switched it off, which the state file then
keeps.

Usage: sound_and_debug.py GAME_EXECUTABLE
"""
import os
import shutil
import sys
import tempfile
import time

from e2e_support import Game, click, fail, grab, key, passed, read_state, wave_peak

SOUND_SWITCH = (32, 240)
EMBLEM = (570, 440)


def debug_text(window):
    """White pixels of the debug line's place, bottom left."""
    pixels = grab(window)
    return sum(min(pixels(x, y)) > 200 for y in range(452, 474) for x in range(10, 140))


def credits_open_and_shut(window):
    click(window, *EMBLEM)
    time.sleep(0.8)
    click(window, 320, 240)
    time.sleep(1.2)


def main():
    folder = tempfile.mkdtemp(prefix="tumblast-sound-")
    wav, conf = os.path.join(folder, "out.wav"), os.path.join(folder, "alsoft.conf")
    with open(conf, "w") as f:
        f.write("[general]\ndrivers=wave\n[wave]\nfile=%s\n" % wav)
    game = Game(sys.argv[1], env={"ALSOFT_CONF": conf, "ALSOFT_DRIVERS": None})
    try:
        window = game.window
        time.sleep(1.8)  # the loader, then the menu slides in
        if debug_text(window) > 0:
            fail("debug text before F10")
        key(window, "F10")
        time.sleep(0.3)
        shown = debug_text(window)
        if shown < 20:
            fail("F10 showed no debug line")
        key(window, "F10")
        time.sleep(0.3)
        if debug_text(window) > 0:
            fail("a second F10 left the debug line")

        if not os.path.exists(wav):
            fail("OpenAL wrote no wave file")
        start = os.path.getsize(wav)
        time.sleep(0.5)
        if os.path.getsize(wav) <= start:
            fail("the wave file does not grow")
        if wave_peak(wav, 0, start) != 0:
            fail("sound before any was played")
        credits_open_and_shut(window)
        on = wave_peak(wav, start, os.path.getsize(wav))
        if on < 0.01:
            fail("the credits' sounds did not reach the output (peak %.4f)" % on)

        click(window, *SOUND_SWITCH)
        time.sleep(1.5)  # what played before dies away
        quiet = os.path.getsize(wav)
        credits_open_and_shut(window)
        off = wave_peak(wav, quiet, os.path.getsize(wav))
        if off != 0:
            fail("sound with the option off (peak %.4f)" % off)
        game.close()
        if read_state(game.state_path())[5] != 0:
            fail("the state file does not keep the sound off")
        passed("debug line on F10 (%d white pixels); peak %.3f with sound on, %.3f off"
               % (shown, on, off))
    finally:
        game.remove()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
