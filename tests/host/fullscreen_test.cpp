// Fullscreen as a player meets it: the real game under openbox, switched by
// real key presses. Runs on a display of its own, where no other test's
// window can take the focus; screenshots of each state stay in its folder.
#include <gtest/gtest.h>
// After gtest: Xlib defines macros such as None and Bool.
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <string>
#include <thread>

#include "tests/support/test_support.h"
#include "tests/support/x_window.h"

namespace {

void Pause(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

void RunOk(const std::vector<std::string>& argv) {
  ProcessResult r = RunProcess(argv);
  EXPECT_EQ(r.code, 0) << argv[0] << ": " << r.err;
}

// Waits until the window is placed as wanted; the placement last seen.
Placement WaitForPlacement(Display* display, Window window, const Placement& wanted) {
  Placement seen = PlacementOf(display, window);
  for (int tries = 0; !(seen == wanted) && tries < 200; ++tries, Pause(0.05)) seen = PlacementOf(display, window);
  return seen;
}

// Black where nothing was drawn.
bool Drawn(Display* display, int x, int y) {
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
  bool drawn = image && (XGetPixel(image, 0, 0) & 0xffffff) != 0;
  if (image) XDestroyImage(image);
  return drawn;
}

TEST(Fullscreen, KeysSwitchTheWindowToCoverTheScreenAndBack) {
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr);
  TempDir home;
  pid_t manager = StartProgram({"/usr/bin/openbox", "--sm-disable"}, home.path(), {"HOME=" + home.path()});
  Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
  Window* wm = nullptr;
  for (int tries = 0; !wm && tries < 400; ++tries, Pause(0.05)) {
    Atom type;
    int format;
    unsigned long count, left;
    XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type, &format, &count,
                       &left, reinterpret_cast<unsigned char**>(&wm));
  }
  ASSERT_NE(wm, nullptr) << "openbox did not start";
  TempDir folder;
  pid_t process = StartGameIn(folder, GAME_EXECUTABLE);
  Window window = WaitForWindowOf(process, 20);
  ASSERT_NE(window, 0u);
  Pause(0.5);  // openbox frames and places it
  Placement windowed = PlacementOf(display, window);
  EXPECT_EQ(windowed.width, 640);
  EXPECT_EQ(windowed.height, 480);
  RunOk({"/usr/bin/xdotool", "windowactivate", "--sync", std::to_string(window)});
  RunOk({"/usr/bin/import", "-window", "root", "fullscreen-1-window.png"});

  RunOk({"/usr/bin/xdotool", "key", "F11"});
  const Placement screen = {0, 0, 1024, 768};
  EXPECT_EQ(WaitForPlacement(display, window, screen), screen);
  Pause(0.5);
  RunOk({"/usr/bin/import", "-window", "root", "fullscreen-2-screen.png"});
  // The game draws for its new size, into every corner.
  for (int corner = 0; corner < 4; ++corner)
    EXPECT_TRUE(Drawn(display, corner % 2 ? 1021 : 2, corner / 2 ? 765 : 2)) << "corner " << corner;

  RunOk({"/usr/bin/xdotool", "key", "alt+Return"});
  EXPECT_EQ(WaitForPlacement(display, window, windowed), windowed);
  Pause(0.3);
  RunOk({"/usr/bin/import", "-window", "root", "fullscreen-3-window-again.png"});
  // Enter alone is the game's key, not the window's.
  RunOk({"/usr/bin/xdotool", "key", "Return"});
  Pause(0.5);
  EXPECT_EQ(PlacementOf(display, window), windowed);

  RequestClose(display, window);
  EXPECT_EQ(WaitForExit(process, 20), 0);
  XFree(wm);
  kill(manager, SIGTERM);
  WaitForExit(manager, 10);
  XCloseDisplay(display);
}

}  // namespace
