// The desktop host on GLFW: the clock, the window's state, the icon, the
// desktop's opener, and the fixed-rate main loop.
#include "host/glfw_game.h"

#include <GLFW/glfw3.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "host/end_signals.h"
#include "host/tell_player.h"

VxGlfwGame* VxGlfwGame::_glfwGame;
GLFWwindow* VxGlfwGame::_window;

namespace {
// Most updates run per rendered frame before the backlog is dropped.
const int kMaxUpdatesPerRender = 4;
}  // namespace

VxGlfwGame::VxGlfwGame()
    : _iconified(false),
      _nextUpdate(0),
      _updatePeriod(0),
      _windowedX(0),
      _windowedY(0),
      _windowedWidth(0),
      _windowedHeight(0) {
  _glfwGame = this;
}

void VxGlfwGame::SetUpdateRate(int updatesPerSecond) {
  VxGame::SetUpdateRate(updatesPerSecond);
  if (updatesPerSecond) {
    _updatePeriod = 1.0 / updatesPerSecond;
    _nextUpdate = Now() + _updatePeriod;
  }
}

int VxGlfwGame::Millisecs() {
  // Through a 64-bit count, so that after 24 days the value wraps like any
  // other int instead of converting an out-of-range double.
  return static_cast<int>(static_cast<long long>(Now() * 1000.0));
}

void VxGlfwGame::SetMouseVisible(bool visible) {
  if (_window) glfwSetInputMode(_window, GLFW_CURSOR, visible ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_HIDDEN);
}

void VxGlfwGame::SetWindowIcon() {
  int width = 0, height = 0, depth = 0;
  unsigned char* pixels = LoadImageData(String("quibbo://data/appicon.png"), &width, &height, &depth);
  // The window system wants straight RGBA, which is how the icon is stored.
  if (pixels && depth == 4 && _window) {
    GLFWimage image = {width, height, pixels};
    glfwSetWindowIcon(_window, 1, &image);
  }
  free(pixels);
}

void VxGlfwGame::ColourOnlyFramebuffer() {
  glfwWindowHint(GLFW_ALPHA_BITS, 0);
  glfwWindowHint(GLFW_DEPTH_BITS, 0);
  glfwWindowHint(GLFW_STENCIL_BITS, 0);
}

void VxGlfwGame::OpenUrl(String url) {
  char* target = url.ToCString<char>();
  const char* const argv[] = {"xdg-open", target, nullptr};
  vx_RunDetached(argv);
  free(target);
}

double VxGlfwGame::Now() { return glfwGetTime(); }

void VxGlfwGame::Sleep(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

void VxGlfwGame::PollEvents() { glfwPollEvents(); }

// A signal does not end GLFW's wait; waking a few times a second lets the
// loop see a request to end while the game is minimised.
void VxGlfwGame::WaitEvents() { glfwWaitEventsTimeout(0.25); }

bool VxGlfwGame::WindowOpen() { return _window && !glfwWindowShouldClose(_window); }

bool VxGlfwGame::WindowIconified() { return glfwGetWindowAttrib(_window, GLFW_ICONIFIED) != 0; }

bool VxGlfwGame::WindowActive() { return glfwGetWindowAttrib(_window, GLFW_FOCUSED) != 0; }

void VxGlfwGame::Run() {
  // GLFW 3 always reports key repeats and never polls events by itself, so
  // the old key-repeat and auto-poll switches have nothing left to set.
  InstallCallbacks();
  StartGame();
  RenderGame();
  while (RunPass()) {
  }
}

bool VxGlfwGame::RunPass() {
  PollEvents();
  if (!WindowOpen()) return false;
  if (vx_TakeEndSignal()) RequestClose();
  DeliverCloseRequest();

  if (WindowIconified()) {
    if (!_suspended) {
      _iconified = true;
      SuspendGame();
    }
  } else if (WindowActive() && _suspended) {
    _iconified = false;
    ResumeGame();
    _nextUpdate = Now();
  }

  if (_updateRate && !_suspended) {
    // One reading of the clock serves the whole pass, so that a frame's own
    // update and render time counts against the next pass, not this one.
    double now = Now();
    if (_nextUpdate - now > 0) {
      Sleep(_nextUpdate - now);
      return true;
    }
    int updates = 0;
    while (updates < kMaxUpdatesPerRender) {
      _nextUpdate += _updatePeriod;
      UpdateGame();
      ++updates;
      if (!_updateRate) break;
      if (_nextUpdate - now > 0) break;
    }
    RenderGame();
    // Still behind after the most updates a frame may take: drop the backlog
    // so that the game slows down instead of bursting.
    if (updates == kMaxUpdatesPerRender && _nextUpdate - now <= 0) _nextUpdate = now;
    return true;
  }

  if (!_iconified) RenderGame();
  WaitEvents();
  return true;
}
