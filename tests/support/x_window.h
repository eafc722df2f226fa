#pragma once
// Real programs in real windows: starting a program the way a desktop would,
// finding its window on the X display, reading where it is, and asking it to
// close the way a window manager does.
#include <sys/types.h>

#include <string>
#include <vector>

#include <X11/Xlib.h>

// Starts the program in `folder` with `env` ("NAME=value") added to the
// environment; it dies with the test, whatever ends the test.
pid_t StartProgram(const std::vector<std::string>& argv, const std::string& folder,
                   const std::vector<std::string>& env = {});

// Waits for the process to end: its exit code, minus the signal that ended
// it, or -1000 when it was still running after the timeout (it is killed).
int WaitForExit(pid_t child, double seconds);

// The visible top-level window of the process, found by the process id the
// window carries; 0 when none showed in time. Other programs may have
// windows of the same title on the display.
Window WaitForWindowOf(Display* display, pid_t process, double seconds);

// The window's client area on the screen.
struct Placement {
  int x, y, width, height;
  bool operator==(const Placement& o) const {
    return x == o.x && y == o.y && width == o.width && height == o.height;
  }
};
Placement PlacementOf(Display* display, Window window);

// What a window manager sends when the player clicks the close button.
void RequestClose(Display* display, Window window);
