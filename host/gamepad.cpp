// Gamepads reported in the joystick layout the game reads: A, B, X, Y,
// bumpers, select, start, then the D-pad as left, up, right, down.
#include "host/gamepad.h"

#include <GLFW/glfw3.h>

#include "host/key_codes.h"

namespace {

// The layout's joystick code for each gamepad button, by the gamepad's order.
// B shares start's code: the game's back key is also its pause key, and
// the second-button code would start a game on the title screen.
const int kButtonOf[kGamepadButtons] = {
    /* A */ VX_JOY_A,
    /* B */ VX_JOY_START,
    /* X */ VX_JOY_X,
    /* Y */ VX_JOY_Y,
    /* left bumper */ VX_JOY_LEFT_BUMPER,
    /* right bumper */ VX_JOY_RIGHT_BUMPER,
    /* back */ VX_JOY_SELECT,
    /* start */ VX_JOY_START,
    /* guide: the desktop's own */ -1,
    /* left thumb */ VX_JOY_LEFT_THUMB,
    /* right thumb */ VX_JOY_RIGHT_THUMB,
    /* D-pad up */ VX_JOY_UP,
    /* D-pad right */ VX_JOY_RIGHT,
    /* D-pad down */ VX_JOY_DOWN,
    /* D-pad left */ VX_JOY_LEFT,
};

static_assert(GLFW_GAMEPAD_BUTTON_LAST + 1 == kGamepadButtons, "one entry per gamepad button");
static_assert(GLFW_GAMEPAD_AXIS_LAST + 1 == kGamepadAxes, "six gamepad axes");

}  // namespace

void MapGamepad(const unsigned char* pressed, const float* axes, Array<float> joyx, Array<float> joyy,
                Array<float> joyz, Array<bool> buttons) {
  joyx[0] = axes[GLFW_GAMEPAD_AXIS_LEFT_X];
  joyy[0] = axes[GLFW_GAMEPAD_AXIS_LEFT_Y];
  joyx[1] = axes[GLFW_GAMEPAD_AXIS_RIGHT_X];
  joyy[1] = axes[GLFW_GAMEPAD_AXIS_RIGHT_Y];
  // Triggers rest at -1.
  joyz[0] = (axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] + 1) * 0.5f;
  joyz[1] = (axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] + 1) * 0.5f;
  for (int b = 0; b < buttons.Length(); ++b) buttons[b] = false;
  for (int g = 0; g < kGamepadButtons; ++g) {
    if (kButtonOf[g] >= 0 && pressed[g] == GLFW_PRESS) buttons[kButtonOf[g] - VX_JOY_A] = true;
  }
}

void ReleaseJoystick(Array<float> joyx, Array<float> joyy, Array<float> joyz, Array<bool> buttons) {
  for (int i = 0; i < 2; ++i) joyx[i] = joyy[i] = joyz[i] = 0;
  for (int b = 0; b < buttons.Length(); ++b) buttons[b] = false;
}
