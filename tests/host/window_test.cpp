// The real executable in a real window on the test's X display.
#include <gtest/gtest.h>
// After gtest: Xlib defines macros such as None and Bool.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <string>

#include "tests/support/x_window.h"

namespace {

TEST(GameWindow, OpensCentredAtItsSizeWithItsIconAndClosesOnRequest) {
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr) << "the suite runs on an X display";
  TempDir folder;
  pid_t game = StartGameIn(folder, GAME_EXECUTABLE);
  Window window = WaitForWindowOf(game, 20);
  ASSERT_NE(window, 0u) << "the game showed no window";

  char* name = nullptr;
  XFetchName(display, window, &name);
  EXPECT_STREQ(name, "Tumblast - Ridazoz");
  if (name) XFree(name);
  int screenWidth = DisplayWidth(display, DefaultScreen(display));
  int screenHeight = DisplayHeight(display, DefaultScreen(display));
  EXPECT_EQ(PlacementOf(display, window),
            (Placement{(screenWidth - 640) / 2, (screenHeight - 480) / 2, 640, 480}));

  // The icon: width and height 64, then ARGB pixels, a corner clear and
  // the middle solid.
  Atom type;
  int format;
  unsigned long count = 0, left;
  unsigned char* data = nullptr;
  XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), 0, 5000, False, XA_CARDINAL,
                     &type, &format, &count, &left, &data);
  ASSERT_EQ(count, 2u + 64 * 64);
  const long* icon = reinterpret_cast<const long*>(data);
  EXPECT_EQ(icon[0], 64);
  EXPECT_EQ(icon[1], 64);
  EXPECT_EQ((icon[2] >> 24) & 255, 0);
  EXPECT_EQ((icon[2 + 32 * 64 + 32] >> 24) & 255, 255);
  XFree(data);

  RequestClose(display, window);
  EXPECT_EQ(WaitForExit(game, 20), 0);
  XCloseDisplay(display);
}

TEST(GameWindow, WithoutADisplayStartUpFails) {
  int out[2];
  ASSERT_EQ(pipe(out), 0);
  pid_t game = fork();
  if (game == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
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
