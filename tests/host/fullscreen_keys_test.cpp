// The fullscreen keys belong to the window: F11 and Alt+Enter switch it and
// never reach the game, while Enter alone and every other key still do.
// Also which monitor a window goes fullscreen on.
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

using Events = std::vector<std::pair<int, int>>;

TEST(FullscreenKeys, F11SwitchesOnceAndNeverReachesTheGame) {
  SwitchingHost host;
  OnKey(nullptr, GLFW_KEY_F11, 0, GLFW_PRESS, 0);
  OnKey(nullptr, GLFW_KEY_F11, 0, GLFW_REPEAT, 0);
  OnKey(nullptr, GLFW_KEY_F11, 0, GLFW_RELEASE, 0);
  OnKey(nullptr, GLFW_KEY_F11, 0, GLFW_PRESS, GLFW_MOD_SHIFT);
  OnKey(nullptr, GLFW_KEY_F11, 0, GLFW_RELEASE, 0);
  EXPECT_EQ(host.toggles, 2);
  EXPECT_TRUE(host.events.empty());
  // Its neighbours are still the game's.
  OnKey(nullptr, GLFW_KEY_F10, 0, GLFW_PRESS, 0);
  OnKey(nullptr, GLFW_KEY_F12, 0, GLFW_RELEASE, 0);
  EXPECT_EQ(host.events, (Events{{1, 121}, {2, 123}}));
}

TEST(FullscreenKeys, AltEnterIsTakenWithItsRepeatsAndRelease) {
  SwitchingHost host;
  OnKey(nullptr, GLFW_KEY_LEFT_ALT, 0, GLFW_PRESS, GLFW_MOD_ALT);
  OnKey(nullptr, GLFW_KEY_ENTER, 0, GLFW_PRESS, GLFW_MOD_ALT);
  OnKey(nullptr, GLFW_KEY_ENTER, 0, GLFW_REPEAT, GLFW_MOD_ALT);
  // Alt let go first: the Enter still held is the same keystroke.
  OnKey(nullptr, GLFW_KEY_LEFT_ALT, 0, GLFW_RELEASE, 0);
  OnKey(nullptr, GLFW_KEY_ENTER, 0, GLFW_REPEAT, 0);
  OnKey(nullptr, GLFW_KEY_ENTER, 0, GLFW_RELEASE, 0);
  EXPECT_EQ(host.toggles, 1);
  EXPECT_TRUE(host.events.empty());
  OnKey(nullptr, GLFW_KEY_ENTER, 0, GLFW_PRESS, GLFW_MOD_ALT | GLFW_MOD_CONTROL);
  OnKey(nullptr, GLFW_KEY_ENTER, 0, GLFW_RELEASE, GLFW_MOD_ALT | GLFW_MOD_CONTROL);
  EXPECT_EQ(host.toggles, 2);
  EXPECT_TRUE(host.events.empty());
}

TEST(FullscreenKeys, EnterAloneIsTheGamesEvenWhenAltJoinsLater) {
  SwitchingHost host;
  OnKey(nullptr, GLFW_KEY_ENTER, 0, GLFW_PRESS, 0);
  OnKey(nullptr, GLFW_KEY_ENTER, 0, GLFW_RELEASE, 0);
  EXPECT_EQ(host.events, (Events{{1, 13}, {3, 13}, {2, 13}}));
  host.events.clear();
  // Held Enter, then Alt: the game saw the press, so it gets the rest.
  OnKey(nullptr, GLFW_KEY_ENTER, 0, GLFW_PRESS, GLFW_MOD_SHIFT);
  OnKey(nullptr, GLFW_KEY_ENTER, 0, GLFW_REPEAT, GLFW_MOD_ALT);
  OnKey(nullptr, GLFW_KEY_ENTER, 0, GLFW_RELEASE, GLFW_MOD_ALT);
  EXPECT_EQ(host.toggles, 0);
  EXPECT_EQ(host.events, (Events{{1, 13}, {3, 13}, {1, 13}, {3, 13}, {2, 13}}));
  // Alt+Enter after that switches as usual.
  host.events.clear();
  OnKey(nullptr, GLFW_KEY_ENTER, 0, GLFW_PRESS, GLFW_MOD_ALT);
  OnKey(nullptr, GLFW_KEY_ENTER, 0, GLFW_RELEASE, GLFW_MOD_ALT);
  EXPECT_EQ(host.toggles, 1);
  EXPECT_TRUE(host.events.empty());
}

TEST(FullscreenMonitor, TheOneShowingMostOfTheWindow) {
  const VxScreenRect monitors[] = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}, {-1024, 0, 1024, 768}};
  EXPECT_EQ(VxMonitorShowingMost({100, 100, 640, 480}, monitors, 3), 0);
  EXPECT_EQ(VxMonitorShowingMost({1500, 100, 640, 480}, monitors, 3), 0);  // 420 of 640 columns on the first
  EXPECT_EQ(VxMonitorShowingMost({1700, 100, 640, 480}, monitors, 3), 1);
  EXPECT_EQ(VxMonitorShowingMost({-300, 700, 640, 480}, monitors, 3), 0);  // only 68 rows on the left one
  EXPECT_EQ(VxMonitorShowingMost({-700, 200, 640, 480}, monitors, 3), 2);
  // Touching edges is not overlapping; off every screen is none.
  EXPECT_EQ(VxMonitorShowingMost({3200, 0, 640, 480}, monitors, 3), -1);
  EXPECT_EQ(VxMonitorShowingMost({0, 1080, 640, 480}, monitors, 1), -1);
  EXPECT_EQ(VxMonitorShowingMost({0, 0, 640, 480}, monitors, 0), -1);
  // Huge coordinates do not overflow the area.
  const VxScreenRect wall[] = {{0, 0, 2000000000, 2000000000}};
  EXPECT_EQ(VxMonitorShowingMost({0, 0, 100000, 100000}, wall, 1), 0);
}

}  // namespace
