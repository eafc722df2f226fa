#pragma once
// Choosing the monitor a window goes fullscreen on.

// A rectangle of the desktop in screen pixels.
struct VxScreenRect {
  int x, y, width, height;
};

// The index of the monitor that shows the largest part of the window, or -1
// when none shows any of it.
int VxMonitorShowingMost(const VxScreenRect& window, const VxScreenRect* monitors, int count);
