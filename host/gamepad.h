#pragma once
// Gamepads the window system knows by a mapping, reported in the layout of
// the joysticks the game was made for (VX_JOY_* in host/key_codes.h), so
// that every screen that reads the joystick codes follows a gamepad with no
// code of its own.
#include "runtime/array.h"

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
