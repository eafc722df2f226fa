// The real executable in a real window on the test's X display.
#include <gtest/gtest.h>
// After gtest: Xlib defines macros such as None and Bool.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

const char* const kTitle = "Tumblast - Ridazoz";

// Dies with the test, whatever ends the test.
void TieToParent() { prctl(PR_SET_PDEATHSIG, SIGKILL); }

pid_t StartGame() {
  pid_t child = fork();
  if (child == 0) {
    TieToParent();
    // The game runs in its own folder, beside its data.
    std::string path = GAME_EXECUTABLE;
    std::string folder = path.substr(0, path.rfind('/'));
    if (chdir(folder.c_str()) != 0) _exit(98);
    execl(GAME_EXECUTABLE, GAME_EXECUTABLE, static_cast<char*>(nullptr));
    _exit(99);
  }
  return child;
}

// Waits for the process to end; -1000 if it is still running after the timeout.
int WaitForExit(pid_t child, double seconds) {
  auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end) {
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) {
      return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  return -1000;
}

// Windows of other programs on the display may vanish while we look at them.
int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

Window FindByTitle(Display* display, Window parent) {
  Window root, up, *children = nullptr;
  unsigned count = 0;
  Window found = 0;
  if (!XQueryTree(display, parent, &root, &up, &children, &count)) return 0;
  for (unsigned i = 0; i < count && !found; ++i) {
    char* name = nullptr;
    XWindowAttributes attributes;
    if (XFetchName(display, children[i], &name) && name && !strcmp(name, kTitle) &&
        XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable) {
      found = children[i];
    }
    if (name) XFree(name);
    if (!found) found = FindByTitle(display, children[i]);
  }
  if (children) XFree(children);
  return found;
}

Window WaitForWindow(Display* display, double seconds) {
  auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end) {
    if (Window w = FindByTitle(display, DefaultRootWindow(display))) return w;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return 0;
}

// What a window manager sends when the user clicks the close button.
void RequestClose(Display* display, Window window) {
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
}

TEST(GameWindow, OpensCentredAtItsSizeAndClosesOnRequest) {
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr) << "the suite runs on an X display";
  XSetErrorHandler(IgnoreXErrors);
  pid_t game = StartGame();
  Window window = WaitForWindow(display, 20);
  ASSERT_NE(window, 0u) << "no window titled " << kTitle;

  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(display, window, &attributes));
  EXPECT_EQ(attributes.width, 640);
  EXPECT_EQ(attributes.height, 480);
  int x = 0, y = 0;
  Window ignored;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &ignored);
  int screenWidth = DisplayWidth(display, DefaultScreen(display));
  int screenHeight = DisplayHeight(display, DefaultScreen(display));
  EXPECT_EQ(x, (screenWidth - 640) / 2);
  EXPECT_EQ(y, (screenHeight - 480) / 2);

  RequestClose(display, window);
  EXPECT_EQ(WaitForExit(game, 20), 0);
  XCloseDisplay(display);
}

TEST(GameWindow, WithoutADisplayStartUpFails) {
  int out[2];
  ASSERT_EQ(pipe(out), 0);
  pid_t game = fork();
  if (game == 0) {
    TieToParent();
    dup2(out[1], 1);
    close(out[0]);
    close(out[1]);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    execl(GAME_EXECUTABLE, GAME_EXECUTABLE, static_cast<char*>(nullptr));
    _exit(99);
  }
  close(out[1]);
  std::string text;
  char buffer[256];
  ssize_t n;
  while ((n = read(out[0], buffer, sizeof buffer)) > 0) text.append(buffer, n);
  close(out[0]);
  EXPECT_EQ(WaitForExit(game, 20), 255);
  EXPECT_EQ(text, "glfwInit failed\n");
}

}  // namespace
