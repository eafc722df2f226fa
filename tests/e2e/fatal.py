#!/usr/bin/python3
"""A fatal signal in the running game prints the runtime's two lines and the
debugger prompt; with standard input closed the process ends with -1 (255),
and over a pipe the debugger's commands are obeyed.

Usage: fatal.py GAME_EXECUTABLE
"""
import os
import signal
import subprocess
import sys
import time

from e2e_support import Game, fail, passed, tgkill

PROMPT = "{{~~(null)~~}}\n\n"


def fault(signal_number, commands=None):
    """The game, running its title menu, hit by a signal in its main thread;
    its code, standard output and standard error."""
    game = Game(sys.argv[1], stdin=subprocess.DEVNULL if commands is None else subprocess.PIPE)
    try:
        time.sleep(1.0)
        if commands is not None:
            game.process.stdin.write(commands)
            game.process.stdin.close()
        tgkill(game.process.pid, signal_number)
        try:
            game.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            fail("no end after signal %d" % signal_number)
        return game.process.returncode, game.process.stdout.read(), game.process.stderr.read()
    finally:
        game.remove()


def expect(case, result, code, out_tail, err_tail):
    got_code, out, err = result
    # OpenAL reports its device left open as the process exits.
    err = "".join(line for line in err.splitlines(True) if not line.startswith("AL lib:"))
    if got_code != code or not out.endswith(out_tail) or not err.endswith(err_tail):
        fail("%s: code %d, output ends %r, errors end %r" % (case, got_code, out[-120:], err[-60:]))


def main():
    if os.environ.get("VX_SANITIZED"):
        print("skipped: under the sanitizer a signal inside its allocator can hang in the "
              "sanitizer's own handler; the plain build runs this test")
        sys.exit(77)
    segv = "Quibbo Runtime Error : Memory access violation\n\n"
    expect("SIGSEGV, input closed", fault(signal.SIGSEGV), 255, segv, PROMPT)
    fpe = "Quibbo Runtime Error : Floating point exception\n\n"
    # "?" is ignored, "r" resumes: the messages and the prompt come again,
    # then "q" quits with 0.
    expect("SIGFPE, ? r q", fault(signal.SIGFPE, "?\nr\nq\n"), 0, fpe + fpe, PROMPT + PROMPT)
    ill = "Quibbo Runtime Error : Illegal instruction\n\n"
    expect("SIGILL, unknown command", fault(signal.SIGILL, "s\nbogus\n"), 255,
           ill + ill + "????? bogus ?????", PROMPT + PROMPT)
    passed("fatal signals: messages, prompt, exit codes and debugger commands")


if __name__ == "__main__":
    main()
