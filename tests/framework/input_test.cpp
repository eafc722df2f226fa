#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/input.h"
#include "tests/framework/framework_test_support.h"

namespace {

class Input : public ::testing::Test {
 protected:
  void SetUp() override {
    StartFramework(&host);
    device = (new c_InputDevice())->m_new();
    vx_input_SetInputDevice(device);
  }

  // One update as the framework runs it, with nothing in between.
  void Tick() {
    device->p_EndUpdate();
    device->p_BeginUpdate();
  }

  JoystickHost host;
  c_InputDevice* device = nullptr;
};

TEST_F(Input, AClickBetweenTwoTicksShowsOneHitAndIsHeldForOneUpdate) {
  device->p_BeginUpdate();
  device->p_MouseEvent(VX_EVENT_MOUSE_DOWN, 0, 10, 20);
  device->p_MouseEvent(VX_EVENT_MOUSE_UP, 0, 30, 40);
  EXPECT_EQ(vx_input_MouseHit(0), 1);
  EXPECT_EQ(vx_input_KeyHit(384), 1);
  EXPECT_TRUE(vx_input_MouseDown(0));
  EXPECT_TRUE(vx_input_TouchDown(0));
  // The release does not move the pointer.
  EXPECT_EQ(vx_input_MouseX(), 10);
  EXPECT_EQ(vx_input_MouseY(), 20);
  EXPECT_EQ(vx_input_TouchX(0), 10);
  Tick();
  EXPECT_EQ(vx_input_MouseHit(0), 0);
  EXPECT_EQ(vx_input_KeyHit(384), 0);
  EXPECT_FALSE(vx_input_MouseDown(0));
  EXPECT_FALSE(vx_input_TouchDown(0));
}

// Events between updates, one letter each: d key down, u key up, | an update
// (end, then begin). `held` is what each update sees, in order.
TEST_F(Input, AKeyIsHeldForEveryUpdateThatFollowsItsPress) {
  struct Case {
    const char* events;
    const char* held;  // one letter per update: y held, n not
  } cases[] = {
      {"du|||", "ynn"},      // a tap: held for exactly one update
      {"dudu||", "yn"},      // two taps before one update: still one
      {"dud|u||", "ynn"},    // pressed again, seen held, let go: at once
      {"d|u||", "ynn"},      // seen held: the release is at once
      {"d||du|||", "yynnn"}, // a repeat of a held key is no fresh press
      {"du|d|u|", "yyn"},    // a tap, then a press: no gap is invented
  };
  for (const Case& c : cases) {
    device->p_EndUpdate();
    device->p_KeyEvent(VX_EVENT_KEY_UP, 65);
    device->p_EndUpdate();
    std::string seen;
    for (const char* e = c.events; *e; ++e) {
      if (*e == 'd') device->p_KeyEvent(VX_EVENT_KEY_DOWN, 65);
      if (*e == 'u') device->p_KeyEvent(VX_EVENT_KEY_UP, 65);
      if (*e == '|') {
        device->p_BeginUpdate();
        seen += vx_input_KeyDown(65) ? 'y' : 'n';
        device->p_EndUpdate();
      }
    }
    EXPECT_EQ(seen, c.held) << c.events;
  }
}

TEST_F(Input, MouseButtonZeroAndTouchZeroMirrorEachOther) {
  device->p_KeyEvent(VX_EVENT_KEY_DOWN, 384);
  EXPECT_TRUE(vx_input_MouseDown(0));
  EXPECT_EQ(vx_input_MouseHit(0), 1);
  Tick();
  device->p_KeyEvent(VX_EVENT_KEY_UP, 1);
  EXPECT_FALSE(vx_input_TouchDown(0));
  EXPECT_EQ(vx_input_KeyHit(384), 0);  // a release counts no hit

  // The other buttons and touches have no mirror.
  device->p_MouseEvent(VX_EVENT_MOUSE_DOWN, 1, 5, 5);
  EXPECT_TRUE(vx_input_KeyDown(2));
  EXPECT_FALSE(vx_input_TouchDown(1));
  device->p_TouchEvent(VX_EVENT_TOUCH_DOWN, 1, 7, 8);
  EXPECT_TRUE(vx_input_TouchDown(1));
  EXPECT_FALSE(vx_input_MouseDown(2));
  EXPECT_EQ(vx_input_KeyHit(2), 1);
}

TEST_F(Input, PointerAndTouchPositions) {
  device->p_MouseEvent(VX_EVENT_MOUSE_MOVE, -1, 100, 200);
  EXPECT_EQ(vx_input_TouchX(0), 100);
  EXPECT_EQ(vx_input_TouchY(0), 200);
  EXPECT_FALSE(vx_input_TouchDown(0));

  device->p_TouchEvent(VX_EVENT_TOUCH_MOVE, 3, 50, 60);
  EXPECT_EQ(vx_input_TouchX(3), 50);
  EXPECT_EQ(vx_input_TouchY(3), 60);
  EXPECT_EQ(vx_input_MouseX(), 100);

  device->p_TouchEvent(VX_EVENT_TOUCH_DOWN, 0, 1, 2);
  EXPECT_EQ(vx_input_MouseX(), 1);
  EXPECT_EQ(vx_input_MouseY(), 2);
  EXPECT_TRUE(vx_input_MouseDown(0));
  Tick();
  device->p_TouchEvent(VX_EVENT_TOUCH_UP, 0, 9, 9);
  EXPECT_EQ(vx_input_TouchX(0), 1);
  EXPECT_FALSE(vx_input_MouseDown(0));

  // Events of the wrong family are ignored.
  device->p_MouseEvent(VX_EVENT_TOUCH_MOVE, 0, 300, 300);
  device->p_TouchEvent(VX_EVENT_MOUSE_MOVE, 0, 300, 300);
  EXPECT_EQ(vx_input_MouseX(), 1);
}

TEST_F(Input, KeyRepeatsEachCountAHit) {
  for (int i = 0; i < 3; ++i) device->p_KeyEvent(VX_EVENT_KEY_DOWN, 65);
  EXPECT_EQ(vx_input_KeyHit(65), 3);
  device->p_KeyEvent(VX_EVENT_KEY_UP, 65);
  EXPECT_EQ(vx_input_KeyHit(65), 3);
  device->p_KeyEvent(99, 65);  // not an event
  EXPECT_EQ(vx_input_KeyHit(65), 3);
  Tick();
  EXPECT_EQ(vx_input_KeyHit(65), 0);
}

TEST_F(Input, TheCharacterQueueHoldsThirtyTwoUntilTheNextTick) {
  for (int i = 0; i < 40; ++i) device->p_KeyEvent(VX_EVENT_KEY_CHAR, 'A' + i);
  std::vector<int> read;
  while (int c = vx_input_GetChar()) read.push_back(c);
  ASSERT_EQ(read.size(), 32u);
  EXPECT_EQ(read.front(), 'A');
  EXPECT_EQ(read.back(), 'A' + 31);
  EXPECT_EQ(vx_input_GetChar(), 0);
  // Reading does not make room: the queue is emptied only by the tick.
  device->p_KeyEvent(VX_EVENT_KEY_CHAR, 'z');
  EXPECT_EQ(vx_input_GetChar(), 0);
  Tick();
  EXPECT_EQ(vx_input_GetChar(), 0);
  device->p_KeyEvent(VX_EVENT_KEY_CHAR, 'z');
  EXPECT_EQ(vx_input_GetChar(), 'z');
}

TEST_F(Input, AHeldJoystickButtonHitsOnce) {
  host.present[0] = true;
  host.held[0][2] = true;
  for (int tick = 0; tick < 10; ++tick) {
    Tick();
    EXPECT_EQ(vx_input_KeyHit(258), tick == 0 ? 1 : 0) << "tick " << tick;
    EXPECT_TRUE(vx_input_JoyDown(2, 0));
  }
  host.held[0][2] = false;
  Tick();
  EXPECT_FALSE(vx_input_JoyDown(2, 0));
  host.held[0][2] = true;
  Tick();
  EXPECT_EQ(vx_input_KeyHit(258), 1);

  // Unit 1, button 31 is the last joystick code.
  host.present[1] = true;
  host.held[1][31] = true;
  Tick();
  EXPECT_TRUE(vx_input_KeyDown(256 + 32 + 31));
  EXPECT_TRUE(vx_input_JoyDown(31, 1));
  EXPECT_FALSE(vx_input_TouchDown(0));
}

TEST_F(Input, TheFirstAbsentJoystickEndsThePoll) {
  host.present = {true, false, true, true};
  host.stickX = {0.5f, 0.25f, 0.75f, 1};
  host.held[2][0] = true;
  Tick();
  EXPECT_EQ(host.polled, (std::vector<int>{0, 1}));
  EXPECT_EQ(vx_input_JoyX(0, 0), 0.5f);
  // Unit 2 is there but is never asked for, so it keeps its zeros.
  EXPECT_EQ(vx_input_JoyX(0, 2), 0.0f);
  EXPECT_FALSE(vx_input_JoyDown(0, 2));

  host.polled.clear();
  host.present = {true, true, true, true};
  Tick();
  EXPECT_EQ(host.polled, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(vx_input_JoyX(0, 2), 0.75f);
  EXPECT_TRUE(vx_input_JoyDown(0, 2));

  host.polled.clear();
  host.present = {false, true, true, true};
  Tick();
  EXPECT_EQ(host.polled, (std::vector<int>{0}));
  // What the last poll left stays.
  EXPECT_EQ(vx_input_JoyX(0, 3), 1.0f);
}

TEST_F(Input, OutOfRangeCodesReadAsNothingAndWriteNothing) {
  EXPECT_FALSE(vx_input_KeyDown(0));
  EXPECT_FALSE(vx_input_KeyDown(512));
  EXPECT_EQ(vx_input_KeyHit(-1), 0);
  EXPECT_EQ(vx_input_KeyHit(512), 0);
  EXPECT_EQ(vx_input_TouchX(32), 0);
  EXPECT_EQ(vx_input_TouchY(-1), 0);
  EXPECT_EQ(vx_input_JoyX(2, 0), 0);
  EXPECT_EQ(vx_input_JoyY(0, 4), 0);
  EXPECT_EQ(vx_input_JoyY(-1, 0), 0);

  // Codes and touch indices beyond the tables are dropped.
  device->p_KeyEvent(VX_EVENT_KEY_DOWN, 512);
  device->p_KeyEvent(VX_EVENT_KEY_DOWN, -5);
  device->p_KeyEvent(VX_EVENT_KEY_DOWN, 100000);
  device->p_TouchEvent(VX_EVENT_TOUCH_DOWN, 32, 1, 1);
  device->p_TouchEvent(VX_EVENT_TOUCH_MOVE, -1, 1, 1);
  device->p_MouseEvent(VX_EVENT_MOUSE_DOWN, 600, 1, 1);
  for (int code = 0; code < 512; ++code) {
    EXPECT_FALSE(vx_input_KeyDown(code)) << code;
    EXPECT_EQ(vx_input_KeyHit(code), 0) << code;
  }
  EXPECT_EQ(vx_input_TouchX(31), 0);
  EXPECT_EQ(device->charPut, 0);
  EXPECT_EQ(device->joyStates[0]->buttons.Length(), 32);
}

TEST_F(Input, AccelerometerAndKeyboardSwitch) {
  device->p_MotionEvent(VX_EVENT_ACCELEROMETER, 0, 0.1f, 0.2f, 0.3f);
  EXPECT_EQ(vx_input_AccelX(), 0.1f);
  EXPECT_EQ(vx_input_AccelY(), 0.2f);
  EXPECT_EQ(device->accelZ, 0.3f);
  device->p_MotionEvent(VX_EVENT_MOUSE_MOVE, 0, 9, 9, 9);
  EXPECT_EQ(vx_input_AccelX(), 0.1f);

  EXPECT_TRUE(vx_input_EnableKeyboard());
  EXPECT_TRUE(host.KeyboardEnabled());
  EXPECT_TRUE(vx_input_DisableKeyboard());
  EXPECT_FALSE(host.KeyboardEnabled());
  EXPECT_TRUE(device->p_SetKeyboardEnabled(false));
}

}  // namespace
