"""What the end-to-end scripts share: starting the built game in a folder of
its own, finding its window, real X input through xdotool, reading the
window's pixels, the board as a player sees it at 640 x 480, a window
manager, and the close request a window manager sends.

Every script runs on the X display in $DISPLAY (one of its own, from
xvfb-run) and prints "N passed, N failed" as its last line.
"""
import contextlib
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

from Xlib import X, display as xdisplay, protocol

TITLE = "Tumblast - Ridazoz"


def fail(message):
    print("FAILED: " + message)
    print("0 passed, 1 failed")
    sys.exit(1)


def passed(what):
    print(what)
    print("1 passed, 0 failed")


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], check=True, capture_output=True,
                          text=True).stdout.strip()


class Game:
    """The built game, started in a fresh folder that links the data beside
    the executable; remove() ends it and removes that folder. Used in a
    `with`, the game is ended when the block is left."""

    def __init__(self, executable, env=None, stdin=subprocess.DEVNULL, prefix=(), folder=None):
        """`env` entries of None are removed; `prefix` runs the game under
        another program (which must exec it in the same process); `folder`
        starts it again in the folder of an earlier game, with its state."""
        self.folder = folder or new_folder(executable)
        self.process = subprocess.Popen([*prefix, os.path.abspath(executable)], cwd=self.folder,
                                        stdin=stdin, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE, text=True, env=environment(env))
        self.window = find_window(self.process.pid, process=self.process)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.kill()

    def state_path(self):
        return os.path.join(self.folder, ".quibbostate")

    def cpu_seconds(self):
        """User and system time the process has used so far."""
        with open("/proc/%d/stat" % self.process.pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    def close(self):
        """Asks once, as a window manager does; the process's output once it
        has ended."""
        request_close(self.window)
        try:
            out, err = self.process.communicate(timeout=20)
        except subprocess.TimeoutExpired:
            self.kill()
            fail("the game did not end on a close request")
        if self.process.returncode != 0:
            fail("exit code %d after a close request; stderr: %s" % (self.process.returncode, err))
        self.err = err
        return out

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def remove(self):
        self.kill()
        shutil.rmtree(self.folder, ignore_errors=True)


def environment(changes):
    """This process's environment with `changes`; a value of None removes
    the name."""
    env = dict(os.environ)
    for name, value in (changes or {}).items():
        if value is None:
            env.pop(name, None)
        else:
            env[name] = value
    return env


def new_folder(executable=None):
    """A fresh folder; with `executable`, the data beside it linked in."""
    folder = tempfile.mkdtemp(prefix="tumblast-e2e-")
    if executable:
        os.symlink(os.path.join(os.path.dirname(os.path.abspath(executable)), "data"),
                   os.path.join(folder, "data"))
    return folder


@contextlib.contextmanager
def scratch_folder(executable=None):
    """new_folder, removed with all it holds afterwards."""
    folder = new_folder(executable)
    try:
        yield folder
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def find_window(pid, seconds=20, process=None):
    """The game's window; a `process` that ends first fails at once, with
    what it said."""
    end = time.time() + seconds
    while time.time() < end:
        if process and process.poll() is not None:
            out, err = process.communicate()
            fail("the game ended with code %d before its window showed; stdout %r, stderr %r"
                 % (process.returncode, out, err))
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid),
                                "--name", "^%s$" % TITLE], capture_output=True,
                               text=True).stdout.split()
        if found:
            return int(found[0])
        time.sleep(0.1)
    fail("no window titled " + TITLE)


def window_size(window):
    fields = dict(line.split("=") for line in xdotool("getwindowgeometry", "--shell", window).split())
    return int(fields["WIDTH"]), int(fields["HEIGHT"])


def start_openbox(home):
    """A window manager on the display, ready once it announces itself."""
    manager = subprocess.Popen(["openbox", "--sm-disable"], env=dict(os.environ, HOME=home),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    d = xdisplay.Display()
    check = d.intern_atom("_NET_SUPPORTING_WM_CHECK")
    end = time.time() + 20
    while time.time() < end:
        if d.screen().root.get_full_property(check, X.AnyPropertyType):
            d.close()
            return manager
        time.sleep(0.05)
    fail("openbox did not start")


def grab(window):
    """The window's pixels as a function of (x, y) giving (r, g, b)."""
    ppm = subprocess.run(["import", "-window", str(window), "-depth", "8", "ppm:-"], check=True,
                         capture_output=True).stdout
    # P6 header: magic, width, height, maxval, each separated by whitespace.
    fields, pos = [], 0
    while len(fields) < 4:
        while ppm[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not ppm[pos:pos + 1].isspace():
            pos += 1
        fields.append(ppm[start:pos])
    width = int(fields[1])
    data = ppm[pos + 1:]
    return lambda x, y: tuple(data[(y * width + x) * 3:(y * width + x) * 3 + 3])


def shot(window, path):
    subprocess.run(["import", "-window", str(window), path], check=True)


def click(window, x, y):
    # Held long enough to span an update even of the checked build on a
    # loaded machine: a press released before the next update is not seen
    # as held, which is what buttons ask for.
    xdotool("mousemove", "--window", window, x, y)
    xdotool("mousedown", "1")
    time.sleep(0.35)
    xdotool("mouseup", "1")


def key(window, name):
    """A real key press to the focused window (XTEST, as from a keyboard),
    held as a player holds it: the game reads some keys as held in an update."""
    xdotool("windowfocus", "--sync", window)
    xdotool("keydown", name)
    time.sleep(0.1)
    xdotool("keyup", name)


def request_close(window):
    d = xdisplay.Display()
    w = d.create_resource_object("window", window)
    event = protocol.event.ClientMessage(
        window=w, client_type=d.intern_atom("WM_PROTOCOLS"),
        data=(32, [d.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
    w.send_event(event, event_mask=X.NoEventMask)
    # A round trip: a client that leaves straight after sending may have its
    # last request dropped by the server.
    d.sync()
    d.close()


def is_pause_panel(rgb):
    """The pause overlay's orange body over the darkened board."""
    r, g, b = rgb
    return r > 150 and 60 < g < r - 40 and b < 90


def is_title_menu(pixels):
    """The title's green, orange and red difficulty plates in their places
    at 640 x 480, once the menu has slid in."""
    return (pixels(95, 340)[1] > 120 > pixels(95, 340)[0]
            and pixels(225, 340)[0] > 180 > 80 > pixels(225, 340)[2]
            and pixels(355, 340)[0] > 180 > 130 > pixels(355, 340)[1])


def until(test, seconds, every=0.1):
    """Whether test() comes true within `seconds`: a loaded machine draws,
    saves and ends later than a quiet one."""
    end = time.time() + seconds
    while not test():
        if time.time() > end:
            return False
        time.sleep(every)
    return True


def wait_for_pixels(window, what, test, seconds):
    """Fails with `what` unless test(pixels of the window) comes true in time."""
    if not until(lambda: test(grab(window)), seconds):
        fail(what)


def wait_for_title(window, seconds=20):
    wait_for_pixels(window, "the title menu did not show", is_title_menu, seconds)


def minimise_until_saved(game):
    """The window iconified, and the state its suspension saves on disk."""
    xdotool("windowminimize", "--sync", game.window)
    if not until(lambda: os.path.exists(game.state_path()), 5):
        fail("iconifying did not save the state")


def is_loader_disc(rgb):
    """The loading screen's yellow disc."""
    r, g, b = rgb
    return r > 170 and g > 170 and b < 90


# Board geometry at 640 x 480: scale 480/576, column 0's centre at x = 140,
# row 0's at y = 0, 40 pixels a cell; a block's front face is centred 8 units
# left of and below the cell's centre.
SCALE = 480 / 576


def face(col, row):
    return (round(140 + 40 * col - 8 * SCALE), round(40 * row + 8 * SCALE))


def face_colour(pixels, col, row, threshold=80):
    """The mean colour of the cell's front face, or None for the grey
    background (flashes of the background stay far below the threshold;
    under the pause overlay's shade a third of it tells them apart)."""
    cx, cy = face(col, row)
    sums, spread = [0, 0, 0], 0
    for y in range(cy - 5, cy + 6):
        for x in range(cx - 5, cx + 6):
            rgb = pixels(x, y)
            spread += max(rgb) - min(rgb)
            for i in range(3):
                sums[i] += rgb[i]
    return tuple(v / 121 for v in sums) if spread / 121 > threshold else None


def board(pixels, threshold=80):
    return {(c, r): face_colour(pixels, c, r, threshold) for c in range(1, 9) for r in range(2, 12)}


def occupied(cells):
    return {k for k, v in cells.items() if v is not None}


def settled_board(window, seconds=6):
    """The board once two looks a third of a second apart agree."""
    last, end = None, time.time() + seconds
    while time.time() < end:
        cells = board(grab(window))
        if last is not None and occupied(cells) == occupied(last):
            return cells
        last = cells
        time.sleep(0.33)
    fail("the board never settled")


def start_normal_game(window):
    """From the title menu: "Normal" (six colours), the board in place."""
    wait_for_title(window)
    click(window, 256, 336)
    time.sleep(2.5)


def read_state(path):
    """The state file's numbers: 25 settings and their sum, 8 badge words and
    their sum, three score tables of 21."""
    fields = open(path).read().split("|")
    if len(fields) != 99 or fields[-1] != "":
        fail("state file has %d pieces" % len(fields))
    return [int(f) for f in fields[:-1]]


def tgkill(pid, signal_number):
    """A signal to the process's main thread, as a fault in its code raises."""
    import ctypes
    libc = ctypes.CDLL(None, use_errno=True)
    if libc.syscall(234, pid, pid, signal_number) != 0:  # SYS_tgkill on x86-64
        fail("tgkill failed")


def wave_peak(path, first, last=None):
    """Peak magnitude (0..1) of the mixed output of a WAV file that is still
    being written, between two sizes the file had (byte offsets)."""
    data = open(path, "rb").read()
    if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        fail("%s is no WAV file" % path)
    pos, fmt = 12, None
    while pos + 8 <= len(data):
        tag, size = data[pos:pos + 4], struct.unpack("<I", data[pos + 4:pos + 8])[0]
        if tag == b"fmt ":
            fmt = struct.unpack("<HHIIHH", data[pos + 8:pos + 24])
        if tag == b"data":
            pos += 8
            break
        pos += 8 + size + (size & 1)
    format_tag, bits = fmt[0], fmt[5]
    chunk = data[max(pos, first):last]
    chunk = chunk[:len(chunk) - len(chunk) % (bits // 8)]
    if bits == 32 and format_tag in (3, 0xFFFE):
        return max(map(abs, struct.unpack("<%df" % (len(chunk) // 4), chunk)), default=0.0)
    if bits == 16:
        return max(map(abs, struct.unpack("<%dh" % (len(chunk) // 2), chunk)), default=0) / 32768
    fail("unexpected WAV format %d with %d bits" % (format_tag, bits))


def write_state(path, settings=None, last_normal=()):
    """A whole state file with valid sums: the default settings (or those
    given), no badges, and Normal's list of last scores beginning with the
    ones given."""
    values = list(settings or [0] * 25)
    if settings is None:
        values[5], values[10], values[11], values[12] = 1, 64, 64, 10
    values.append(sum(i * v for i, v in enumerate(values)))
    values += [0] * 9
    for t in range(3):
        best, last = [0] * 10, [0] * 10
        if t == 1:
            last[:len(last_normal)] = last_normal
        pairs = [v for j in range(10) for v in (best[j], last[j])]
        values += pairs + [sum((j + 4) * best[j] + (t + j + 3) * last[j] for j in range(10))]
    with open(path, "w") as f:
        f.write("".join("%d|" % v for v in values))


def last_scores(state, difficulty=2):
    """The list of last scores of a difficulty (1..3) from read_state's numbers."""
    table = state[35 + 21 * (difficulty - 1):35 + 21 * difficulty]
    return [table[2 * j + 1] for j in range(10)]


def quit_through_pause(window):
    """A running game paused with Escape and quit on the overlay; back at the
    title once the banner has gone and the game is recorded."""
    key(window, "Escape")
    time.sleep(0.6)
    if not is_pause_panel(grab(window)(230, 200)):
        fail("Escape did not pause the game")
    click(window, 180, 184)  # the overlay's quit button
    time.sleep(3.5)


class Notifications:
    """A stand-in notify-send first on the PATH: what the game shows the
    player through the desktop's notifications is kept in a file."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="tumblast-notify-")
        self.log = os.path.join(self.folder, "shown")
        script = os.path.join(self.folder, "notify-send")
        with open(script, "w") as f:
            f.write('#!/bin/sh\nprintf "%%s\\n" "$*" >> "%s"\n' % self.log)
        os.chmod(script, 0o755)
        self.env = {"PATH": self.folder + os.pathsep + os.environ.get("PATH", "")}

    def shown(self, seconds=5):
        """The notifications so far, waiting a little for the first one."""
        until(lambda: os.path.exists(self.log), seconds)
        return open(self.log).read() if os.path.exists(self.log) else ""

    def remove(self):
        shutil.rmtree(self.folder, ignore_errors=True)


def run_to_end(executable, folder, env=None, seconds=20):
    """The game started in `folder` and expected to end by itself; its code,
    standard output and standard error. `env` as for Game."""
    try:
        r = subprocess.run([os.path.abspath(executable)], cwd=folder, env=environment(env),
                           stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=seconds)
    except subprocess.TimeoutExpired:
        fail("the game in %s did not end by itself" % folder)
    return r.returncode, r.stdout, r.stderr
