#pragma once
// Real programs in real windows: starting one as a desktop would, finding its
// window on the X display, where it is, and closing it as a window manager
// does.
#include <X11/Xlib.h>
#include <sys/types.h>

#include <string>
#include <vector>

#include "tests/support/test_support.h"

// Starts the program in `folder` with `env` ("NAME=value") added; it dies
// with the test, whatever ends the test.
pid_t StartProgram(const std::vector<std::string>& argv, const std::string& folder,
                   const std::vector<std::string>& env = {});
// Starts the built game as a desktop would, but in `folder`, which gets the
// game's data linked in: what the game saves stays out of the game folder.
pid_t StartGameIn(const TempDir& folder, const std::string& executable);
// The exit code, minus the ending signal, or -1000 after the timeout (the
// process is then killed).
int WaitForExit(pid_t child, double seconds);
// The process's visible window, found by the process id it carries (other
// tests' games may show the same title); 0 when none showed in time.
Window WaitForWindowOf(pid_t process, double seconds);

struct Placement {
  int x, y, width, height;
  bool operator==(const Placement& o) const {
    return x == o.x && y == o.y && width == o.width && height == o.height;
  }
};
// The window's client area on the screen.
Placement PlacementOf(Display* display, Window window);
// What a window manager sends when the player clicks the close button.
void RequestClose(Display* display, Window window);
