// Fullscreen: the window becomes a borderless window covering the monitor it
// is on, at that monitor's own mode (no mode switch), and comes back to where
// it was.
#include "host/fullscreen.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <vector>

#include "host/glfw_game.h"

int VxMonitorShowingMost(const VxScreenRect& window, const VxScreenRect* monitors, int count) {
  int best = -1;
  long long bestArea = 0;
  for (int i = 0; i < count; ++i) {
    const VxScreenRect& m = monitors[i];
    long long w = std::min<long long>(window.x + window.width, m.x + m.width) - std::max(window.x, m.x);
    long long h = std::min<long long>(window.y + window.height, m.y + m.height) - std::max(window.y, m.y);
    if (w > 0 && h > 0 && w * h > bestArea) {
      best = i;
      bestArea = w * h;
    }
  }
  return best;
}

namespace {

GLFWmonitor* MonitorOf(GLFWwindow* window) {
  VxScreenRect placed;
  glfwGetWindowPos(window, &placed.x, &placed.y);
  glfwGetWindowSize(window, &placed.width, &placed.height);
  int count = 0;
  GLFWmonitor** monitors = glfwGetMonitors(&count);
  std::vector<VxScreenRect> areas(count, VxScreenRect{0, 0, 0, 0});
  for (int i = 0; i < count; ++i) {
    if (const GLFWvidmode* mode = glfwGetVideoMode(monitors[i])) {
      glfwGetMonitorPos(monitors[i], &areas[i].x, &areas[i].y);
      areas[i].width = mode->width;
      areas[i].height = mode->height;
    }
  }
  int index = VxMonitorShowingMost(placed, areas.data(), count);
  // A window dragged wholly off every screen goes fullscreen on the main one.
  return index >= 0 ? monitors[index] : glfwGetPrimaryMonitor();
}

}  // namespace

void VxGlfwGame::ToggleFullscreen() {
  if (!_window) return;
  if (glfwGetWindowMonitor(_window)) {
    glfwSetWindowMonitor(_window, nullptr, _windowedX, _windowedY, _windowedWidth, _windowedHeight,
                         GLFW_DONT_CARE);
    return;
  }
  GLFWmonitor* monitor = MonitorOf(_window);
  const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
  if (!mode) return;
  glfwGetWindowPos(_window, &_windowedX, &_windowedY);
  glfwGetWindowSize(_window, &_windowedWidth, &_windowedHeight);
  glfwSetWindowMonitor(_window, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
}
