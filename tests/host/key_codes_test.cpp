#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "host/glfw_game.h"
#include "host/glfw_input.h"
#include "host/key_codes.h"
#include "tests/support/test_support.h"

namespace {

TEST(KeyTranslation, EveryMappedKey) {
  const std::vector<std::pair<int, int>> table = {
      {'0', 48}, {'9', 57}, {'A', 65}, {'Z', 90}, {' ', 32}, {'\'', 222}, {'"', 222},
      {',', 188}, {'-', 189}, {'.', 190}, {'/', 191}, {';', 186}, {'=', 187}, {'[', 219},
      {'\\', 220}, {']', 221}, {'`', 192}, {'~', 192},
      {GLFW_KEY_ESCAPE, 27}, {GLFW_KEY_F1, 112}, {GLFW_KEY_F10, 121}, {GLFW_KEY_F12, 123},
      {GLFW_KEY_UP, 38}, {GLFW_KEY_DOWN, 40}, {GLFW_KEY_LEFT, 37}, {GLFW_KEY_RIGHT, 39},
      {GLFW_KEY_LEFT_SHIFT, 160}, {GLFW_KEY_RIGHT_SHIFT, 161},
      {GLFW_KEY_LEFT_CONTROL, 162}, {GLFW_KEY_RIGHT_CONTROL, 163},
      {GLFW_KEY_TAB, 9}, {GLFW_KEY_ENTER, 13}, {GLFW_KEY_BACKSPACE, 8}, {GLFW_KEY_INSERT, 45},
      {GLFW_KEY_DELETE, 46}, {GLFW_KEY_PAGE_UP, 33}, {GLFW_KEY_PAGE_DOWN, 34},
      {GLFW_KEY_HOME, 36}, {GLFW_KEY_END, 35},
  };
  for (const auto& row : table) EXPECT_EQ(TransKey(row.first), row.second) << row.first;
  for (int letter = 'A'; letter <= 'Z'; ++letter) EXPECT_EQ(TransKey(letter), letter);
}

TEST(KeyTranslation, IgnoredKeys) {
  for (int key : {GLFW_KEY_F13, GLFW_KEY_F25, GLFW_KEY_KP_0, GLFW_KEY_KP_9, GLFW_KEY_KP_ENTER,
                  GLFW_KEY_LEFT_ALT, GLFW_KEY_RIGHT_ALT, GLFW_KEY_LEFT_SUPER, GLFW_KEY_MENU,
                  GLFW_KEY_CAPS_LOCK, GLFW_KEY_WORLD_1, GLFW_KEY_WORLD_2, GLFW_KEY_UNKNOWN}) {
    EXPECT_EQ(TransKey(key), 0) << key;
    EXPECT_EQ(KeyCallbackCode(key), 0) << key;
  }
}

TEST(KeyTranslation, CallbackFoldsShiftAndControl) {
  EXPECT_EQ(KeyCallbackCode(GLFW_KEY_LEFT_SHIFT), 16);
  EXPECT_EQ(KeyCallbackCode(GLFW_KEY_RIGHT_SHIFT), 16);
  EXPECT_EQ(KeyCallbackCode(GLFW_KEY_LEFT_CONTROL), 17);
  EXPECT_EQ(KeyCallbackCode(GLFW_KEY_RIGHT_CONTROL), 17);
  EXPECT_EQ(KeyCallbackCode('A'), 65);
}

TEST(KeyTranslation, CharactersOfSpecialKeys) {
  for (int key : {8, 9, 13, 27}) EXPECT_EQ(KeyToChar(key), key);
  for (int key : {33, 34, 35, 36, 37, 38, 39, 40, 45}) EXPECT_EQ(KeyToChar(key), key + 65536);
  EXPECT_EQ(KeyToChar(46), 127);
  for (int key : {16, 17, 32, 48, 65, 112, 432}) EXPECT_EQ(KeyToChar(key), 0);
}

// A host that records the events the callbacks send it.
class RecordingHost : public VxGlfwGame {
 public:
  struct Event {
    int id, data;
    float x, y;
    bool operator==(const Event& o) const { return id == o.id && data == o.data && x == o.x && y == o.y; }
  };
  std::vector<Event> events;
  void KeyEvent(int id, int data) override { events.push_back({id, data, 0, 0}); }
  void MouseEvent(int id, int data, float x, float y) override { events.push_back({id, data, x, y}); }
};

using Events = std::vector<RecordingHost::Event>;

TEST(InputCallbacks, KeysBecomeFrameworkEvents) {
  RecordingHost host;
  OnKey(nullptr, GLFW_KEY_LEFT, 0, GLFW_PRESS, 0);
  OnKey(nullptr, GLFW_KEY_LEFT, 0, GLFW_RELEASE, 0);
  EXPECT_EQ(host.events, (Events{{1, 37, 0, 0}, {3, 65573, 0, 0}, {2, 37, 0, 0}}));

  host.events.clear();
  OnKey(nullptr, GLFW_KEY_DELETE, 0, GLFW_PRESS, 0);
  OnKey(nullptr, 'A', 0, GLFW_PRESS, 0);
  OnChar(nullptr, 'a');
  OnKey(nullptr, GLFW_KEY_RIGHT_SHIFT, 0, GLFW_PRESS, 0);
  EXPECT_EQ(host.events, (Events{{1, 46, 0, 0}, {3, 127, 0, 0}, {1, 65, 0, 0}, {3, 97, 0, 0}, {1, 16, 0, 0}}));

  host.events.clear();
  OnKey(nullptr, 'A', 0, GLFW_REPEAT, 0);  // auto-repeat is another press
  OnKey(nullptr, GLFW_KEY_F13, 0, GLFW_PRESS, 0);
  OnKey(nullptr, GLFW_KEY_KP_5, 0, GLFW_PRESS, 0);
  OnChar(nullptr, 0x20AC);
  EXPECT_EQ(host.events, (Events{{1, 65, 0, 0}, {3, 0x20AC, 0, 0}}));
}

TEST(InputCallbacks, MouseButtonsAndMoves) {
  ASSERT_TRUE(StartGlfw());
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  GLFWwindow* window = glfwCreateWindow(64, 64, "input", nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  glfwSetCursorPos(window, 12.7, 30.2);
  RecordingHost host;
  OnMousePos(window, 12.7, 30.2);
  OnMouseButton(window, GLFW_MOUSE_BUTTON_MIDDLE, GLFW_PRESS, 0);
  OnMouseButton(window, GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE, 0);
  OnMouseButton(window, GLFW_MOUSE_BUTTON_4, GLFW_PRESS, 0);
  ASSERT_EQ(host.events.size(), 3u);
  EXPECT_EQ(host.events[0], (RecordingHost::Event{6, -1, 12, 30}));
  EXPECT_EQ(host.events[1].id, 4);
  EXPECT_EQ(host.events[1].data, 2);
  EXPECT_EQ(host.events[2].id, 5);
  EXPECT_EQ(host.events[2].data, 0);
  glfwDestroyWindow(window);
  glfwTerminate();
}

TEST(Joystick, AxesMapByCount) {
  const float axes[6] = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};
  Array<float> x(2), y(2), z(2);
  MapJoystickAxes(axes, 4, x, y, z);
  EXPECT_EQ(x[1], 0.4f);  // fourth axis: second stick's x
  EXPECT_EQ(y[1], 0.3f);  // third axis: second stick's y
  EXPECT_EQ(z[0], 0.0f);
  MapJoystickAxes(axes, 5, x, y, z);
  EXPECT_EQ(x[1], 0.5f);
  EXPECT_EQ(y[1], 0.4f);
  EXPECT_EQ(z[0], 0.3f);
  EXPECT_EQ(z[1], 0.0f);
  MapJoystickAxes(axes, 6, x, y, z);
  EXPECT_EQ(x[0], 0.1f);
  EXPECT_EQ(y[0], 0.2f);
  EXPECT_EQ(x[1], 0.4f);
  EXPECT_EQ(y[1], 0.5f);
  EXPECT_EQ(z[1], 0.6f);
  MapJoystickAxes(axes, 2, x, y, z);  // missing axes read 0
  EXPECT_EQ(x[1], 0.0f);
  EXPECT_EQ(z[1], 0.0f);
}

}  // namespace
