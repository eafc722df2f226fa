#pragma once
// Gamepads the window system knows by a mapping, reported in the layout of
// the joysticks the game was made for, so that every screen that reads the
// joystick codes follows a gamepad with no code of its own.
#include "runtime/array.h"

// Buttons of that layout (joystick code 256 + button for unit 0).
enum {
  VX_JOY_A = 0,
  VX_JOY_B = 1,
  VX_JOY_X = 2,
  VX_JOY_Y = 3,
  VX_JOY_LEFT_BUMPER = 4,
  VX_JOY_RIGHT_BUMPER = 5,
  VX_JOY_SELECT = 6,
  VX_JOY_START = 7,
  VX_JOY_LEFT = 8,
  VX_JOY_UP = 9,
  VX_JOY_RIGHT = 10,
  VX_JOY_DOWN = 11,
  VX_JOY_LEFT_THUMB = 12,
  VX_JOY_RIGHT_THUMB = 13,
};

// A mapped gamepad's buttons and axes, in the window system's gamepad order.
const int kGamepadButtons = 15;
const int kGamepadAxes = 6;

// Fills one joystick unit from a gamepad: left stick first, right stick
// second, triggers as 0 (let go) to 1; every one of the unit's buttons is
// written.
void MapGamepad(const unsigned char* pressed, const float* axes, Array<float> joyx, Array<float> joyy,
                Array<float> joyz, Array<bool> buttons);

// Centres the sticks and lets go of every button: what a unit reports once
// after its pad went away, so nothing stays held.
void ReleaseJoystick(Array<float> joyx, Array<float> joyy, Array<float> joyz, Array<bool> buttons);
