// F11 and Alt+Enter switch fullscreen and never reach the game; Enter alone
// is still the game's. And the monitor a window goes fullscreen on.
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "host/fullscreen.h"
#include "host/glfw_game.h"
#include "host/glfw_input.h"

namespace {

class SwitchingHost : public VxGlfwGame {
 public:
  std::vector<std::pair<int, int>> events;
  int toggles = 0;
  void KeyEvent(int id, int data) override { events.push_back({id, data}); }
  void ToggleFullscreen() override { ++toggles; }
};

struct Key {
  int key, action, mods;
};

TEST(FullscreenKeys, TakenWholeByTheWindow) {
  SwitchingHost host;
  const int alt = GLFW_MOD_ALT, enter = GLFW_KEY_ENTER;
  // F11 pressed, held, let go; Alt+Enter, Alt let go before Enter.
  for (Key k : {Key{GLFW_KEY_F11, GLFW_PRESS, 0}, {GLFW_KEY_F11, GLFW_REPEAT, 0}, {GLFW_KEY_F11, GLFW_RELEASE, 0},
                {enter, GLFW_PRESS, alt}, {enter, GLFW_REPEAT, alt}, {enter, GLFW_REPEAT, 0},
                {enter, GLFW_RELEASE, 0}})
    OnKey(nullptr, k.key, 0, k.action, k.mods);
  EXPECT_EQ(host.toggles, 2);
  EXPECT_TRUE(host.events.empty());
  // Enter alone, even with Alt joining while it is held, and F12 are the game's.
  for (Key k : {Key{enter, GLFW_PRESS, 0}, {enter, GLFW_REPEAT, alt}, {enter, GLFW_RELEASE, alt},
                {GLFW_KEY_F12, GLFW_PRESS, 0}})
    OnKey(nullptr, k.key, 0, k.action, k.mods);
  EXPECT_EQ(host.toggles, 2);
  EXPECT_EQ(host.events, (std::vector<std::pair<int, int>>{{1, 13}, {3, 13}, {1, 13}, {3, 13}, {2, 13}, {1, 123}}));
}

TEST(FullscreenMonitor, TheOneShowingMostOfTheWindow) {
  const VxScreenRect monitors[] = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}, {-1024, 0, 1024, 768}};
  EXPECT_EQ(VxMonitorShowingMost({1500, 100, 640, 480}, monitors, 3), 0);  // 420 of 640 columns
  EXPECT_EQ(VxMonitorShowingMost({1700, 100, 640, 480}, monitors, 3), 1);
  EXPECT_EQ(VxMonitorShowingMost({-700, 200, 640, 480}, monitors, 3), 2);
  EXPECT_EQ(VxMonitorShowingMost({3200, 0, 640, 480}, monitors, 3), -1);  // edges touching do not count
  const VxScreenRect wall[] = {{0, 0, 2000000000, 2000000000}};      // areas beyond an int
  EXPECT_EQ(VxMonitorShowingMost({0, 0, 100000, 100000}, wall, 1), 0);
}

}  // namespace
