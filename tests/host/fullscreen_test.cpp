// Fullscreen as a player meets it: the real game under a real window manager
// on a display of the test's own, switched by real key presses. Screenshots
// of each state are left in the test's folder.
#include <gtest/gtest.h>
// After gtest: Xlib defines macros such as None and Bool.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <thread>

#include "tests/support/test_support.h"
#include "tests/support/x_window.h"

namespace {

void Pause(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

// A 1024 x 768 X display with openbox managing its windows; DISPLAY names it
// while it exists. The suite's own display has no window manager, and other
// tests' windows must not meet this one.
class ManagedDesktop {
 public:
  ManagedDesktop() {
    int ready[2];
    if (pipe(ready) != 0) return;
    server_ = fork();
    if (server_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      close(ready[0]);
      std::string fd = std::to_string(ready[1]);
      execl("/usr/bin/Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
            static_cast<char*>(nullptr));
      _exit(99);
    }
    close(ready[1]);
    // The server writes its display number once it accepts connections.
    std::string number;
    pollfd wait = {ready[0], POLLIN, 0};
    char c;
    while (poll(&wait, 1, 20000) > 0 && read(ready[0], &c, 1) == 1 && c != '\n') number += c;
    close(ready[0]);
    if (number.empty()) return;
    setenv("DISPLAY", (":" + number).c_str(), 1);
    display_ = XOpenDisplay(nullptr);
    if (!display_) return;
    // openbox keeps its settings and logs in the scratch home.
    manager_ = StartProgram({"/usr/bin/openbox", "--sm-disable"}, home_.path(),
                            {"HOME=" + home_.path(), "XDG_CONFIG_HOME=" + home_.Path("config"),
                             "XDG_CACHE_HOME=" + home_.Path("cache")});
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!Managed() && std::chrono::steady_clock::now() < end) Pause(0.05);
  }
  ~ManagedDesktop() {
    if (display_) XCloseDisplay(display_);
    for (pid_t p : {manager_, server_}) {
      if (p > 0) {
        kill(p, SIGTERM);
        WaitForExit(p, 10);
      }
    }
  }
  // The window manager announces itself on the root window.
  bool Managed() {
    if (!display_) return false;
    Atom check = XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False), type;
    int format;
    unsigned long count = 0, left;
    unsigned char* data = nullptr;
    XGetWindowProperty(display_, DefaultRootWindow(display_), check, 0, 1, False, XA_WINDOW, &type, &format, &count,
                       &left, &data);
    if (data) XFree(data);
    return count == 1;
  }
  Display* display() { return display_; }

 private:
  TempDir home_;
  pid_t server_ = -1;
  pid_t manager_ = -1;
  Display* display_ = nullptr;
};

// A real key press through the X server, into the focused window.
void Press(const std::string& keys) {
  ProcessResult r = RunProcess({"/usr/bin/xdotool", "key", keys});
  EXPECT_EQ(r.code, 0) << r.err;
}

// Waits until the window is placed as expected; the last placement seen.
Placement WaitForPlacement(Display* display, Window window, const Placement& wanted, double seconds) {
  auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  Placement seen = PlacementOf(display, window);
  while (!(seen == wanted) && std::chrono::steady_clock::now() < end) {
    Pause(0.05);
    seen = PlacementOf(display, window);
  }
  return seen;
}

// Waits until the window manager has stopped moving the window around.
Placement SettledPlacement(Display* display, Window window) {
  Placement last = PlacementOf(display, window);
  for (int calm = 0, tries = 0; calm < 6 && tries < 200; ++tries) {
    Pause(0.05);
    Placement now = PlacementOf(display, window);
    calm = now == last ? calm + 1 : 0;
    last = now;
  }
  return last;
}

void Screenshot(const std::string& file) {
  ProcessResult r = RunProcess({"/usr/bin/import", "-window", "root", file});
  EXPECT_EQ(r.code, 0) << r.err;
}

// What the screen shows at a point, as 0xRRGGBB.
unsigned long ScreenPixel(Display* display, int x, int y) {
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return 0;
  unsigned long pixel = XGetPixel(image, 0, 0) & 0xffffff;
  XDestroyImage(image);
  return pixel;
}

TEST(Fullscreen, KeysSwitchTheWindowToCoverTheScreenAndBack) {
  ManagedDesktop desktop;
  ASSERT_TRUE(desktop.Managed()) << "no X display with openbox";
  Display* display = desktop.display();
  std::string game = GAME_EXECUTABLE;
  pid_t process = StartProgram({game}, game.substr(0, game.rfind('/')));
  Window window = WaitForWindowOf(display, process, 20);
  ASSERT_NE(window, 0u);
  Placement windowed = SettledPlacement(display, window);
  EXPECT_EQ(windowed.width, 640);
  EXPECT_EQ(windowed.height, 480);
  ASSERT_EQ(RunProcess({"/usr/bin/xdotool", "windowactivate", "--sync", std::to_string(window)}).code, 0);
  Screenshot("fullscreen-1-window.png");

  Press("F11");
  const Placement screen = {0, 0, 1024, 768};
  EXPECT_EQ(WaitForPlacement(display, window, screen, 10), screen);
  // The game draws for the new size: its picture reaches every corner.
  Pause(0.5);
  Screenshot("fullscreen-2-screen.png");
  for (const auto& corner : {std::pair<int, int>{2, 2}, {1021, 2}, {2, 765}, {1021, 765}}) {
    EXPECT_NE(ScreenPixel(display, corner.first, corner.second), 0u) << corner.first << ", " << corner.second;
  }

  Press("alt+Return");
  EXPECT_EQ(WaitForPlacement(display, window, windowed, 10), windowed);
  Pause(0.3);
  Screenshot("fullscreen-3-window-again.png");

  // Enter alone is the game's key, not the window's.
  Press("Return");
  Pause(0.5);
  EXPECT_EQ(PlacementOf(display, window), windowed);

  RequestClose(display, window);
  EXPECT_EQ(WaitForExit(process, 20), 0);
}

}  // namespace
