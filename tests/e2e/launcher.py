#!/usr/bin/python3
"""The installed launcher with a data home the player cannot write: where
the player's folder and its link exist, the game runs there and keeps its
scores; where the folder cannot be made, the game still starts, from a
temporary folder that goes when it ends, and the player is told, on
standard error and through a notification, that scores will not be kept.

Run as root, the launcher runs as the user nobody, for whom a folder
without write permission is read-only.

Usage: launcher.py GAME_EXECUTABLE CMAKE BUILD_FOLDER
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from Xlib import X, display as xdisplay

from e2e_support import Notifications, fail, find_window, read_state, request_close

CMAKE, BUILD = sys.argv[2], sys.argv[3]
NOBODY = 65534


def as_player(path):
    if os.geteuid() == 0:
        os.chown(path, NOBODY, NOBODY)


def launch(prefix, data_home, env):
    command = [os.path.join(prefix, "bin", "tumblast")]
    if os.geteuid() == 0:
        command = ["setpriv", "--reuid=%d" % NOBODY, "--regid=%d" % NOBODY, "--clear-groups"] + command
    environment = dict(os.environ, HOME=os.path.dirname(data_home), XDG_DATA_HOME=data_home, **env)
    return subprocess.Popen(command, cwd="/", env=environment, stdin=subprocess.DEVNULL,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)


def game_of(launcher):
    """The game process: the launcher itself once it has exec'd the game,
    or its child."""
    end = time.time() + 20
    while time.time() < end:
        children = subprocess.run(["pgrep", "-P", str(launcher.pid)], capture_output=True,
                                  text=True).stdout.split()
        for pid in [launcher.pid] + [int(c) for c in children]:
            try:
                if os.readlink("/proc/%d/exe" % pid).endswith("/tumblast"):
                    return pid
            except OSError:
                pass
        time.sleep(0.1)
    fail("the launcher started no game")


def ended(launcher, how):
    try:
        out, err = launcher.communicate(timeout=15)
    except subprocess.TimeoutExpired:
        launcher.kill()
        fail("%s: the game did not end" % how)
    if launcher.returncode != 0:
        fail("%s: exit code %d; stderr %r" % (how, launcher.returncode, err))
    return err


def main():
    scratch = tempfile.mkdtemp(prefix="tumblast-launcher-")
    os.chmod(scratch, 0o755)
    notes = Notifications()
    os.chmod(notes.folder, 0o777)
    if os.geteuid() == 0:
        # The game, run as nobody, talks to this test's own display.
        d = xdisplay.Display()
        d.set_access_control(X.DisableAccess)
        d.sync()  # a request still unsent at close is lost
        d.close()
    try:
        prefix = os.path.join(scratch, "usr")
        r = subprocess.run([CMAKE, "--install", BUILD, "--prefix", prefix], capture_output=True, text=True)
        if r.returncode != 0:
            fail("install: " + r.stderr)
        data = os.path.realpath(os.path.join(prefix, "share", "tumblast", "data"))

        # The player's folder and its link were made when the data home was
        # writable; now it is not.
        home = os.path.join(scratch, "one")
        folder = os.path.join(home, "xdg", "tumblast")
        os.makedirs(folder)
        os.symlink(data, os.path.join(folder, "data"))
        as_player(folder)
        for path in (os.path.join(home, "xdg"), home):
            os.chmod(path, 0o555)
        launcher = launch(prefix, os.path.join(home, "xdg"), notes.env)
        game = game_of(launcher)
        if os.path.realpath("/proc/%d/cwd" % game) != os.path.realpath(folder):
            fail("the game runs in %s" % os.readlink("/proc/%d/cwd" % game))
        request_close(find_window(game))
        err = ended(launcher, "player's folder in a read-only data home")
        read_state(os.path.join(folder, ".quibbostate"))
        if err.strip() or os.path.exists(notes.log):
            fail("the launcher complained: %r" % err)

        # No folder, and none can be made: a temporary one, and a warning.
        home = os.path.join(scratch, "two")
        os.makedirs(os.path.join(home, "xdg"))
        for path in (os.path.join(home, "xdg"), home):
            os.chmod(path, 0o555)
        launcher = launch(prefix, os.path.join(home, "xdg"), dict(notes.env, TMPDIR=notes.folder))
        game = game_of(launcher)
        ran_in = os.readlink("/proc/%d/cwd" % game)
        find_window(game)
        if not ran_in.startswith(notes.folder) or "scores" not in notes.shown():
            fail("ran in %s; notifications %r" % (ran_in, notes.shown(0)))
        time.sleep(1.0)
        launcher.send_signal(signal.SIGTERM)
        err = ended(launcher, "no folder for the player")
        if "scores" not in err or os.path.exists(ran_in):
            fail("stderr %r; temporary folder left: %s" % (err, os.path.exists(ran_in)))
        print(err.strip())
        print("1 passed, 0 failed")
    finally:
        for path, _, _ in os.walk(scratch):
            os.chmod(path, 0o755)
        shutil.rmtree(scratch, ignore_errors=True)
        notes.remove()


if __name__ == "__main__":
    main()
