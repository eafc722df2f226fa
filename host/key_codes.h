#pragma once
// The framework's key codes, and the map from GLFW's keys onto them.

// Framework key codes are the Windows virtual-key numbers.
enum {
  VX_KEY_BACKSPACE = 8,
  VX_KEY_TAB = 9,
  VX_KEY_ENTER = 13,
  VX_KEY_SHIFT = 16,
  VX_KEY_CONTROL = 17,
  VX_KEY_ESCAPE = 27,
  VX_KEY_SPACE = 32,
  VX_KEY_PAGEUP = 33,
  VX_KEY_PAGEDOWN = 34,
  VX_KEY_END = 35,
  VX_KEY_HOME = 36,
  VX_KEY_LEFT = 37,
  VX_KEY_UP = 38,
  VX_KEY_RIGHT = 39,
  VX_KEY_DOWN = 40,
  VX_KEY_INSERT = 45,
  VX_KEY_DELETE = 46,
  VX_KEY_A = 65,  // letters use the code of the upper-case character
  VX_KEY_C = 67,
  VX_KEY_D = 68,
  VX_KEY_I = 73,
  VX_KEY_J = 74,
  VX_KEY_K = 75,
  VX_KEY_L = 76,
  VX_KEY_S = 83,
  VX_KEY_V = 86,
  VX_KEY_W = 87,
  VX_KEY_X = 88,
  VX_KEY_Z = 90,
  VX_KEY_F1 = 112,
  VX_KEY_F10 = 121,
  VX_KEY_F12 = 123,
};

// Buttons of the first joystick in the input module's code space
// (256 + 32 * unit + button). Mapped gamepads report in this layout.
enum {
  VX_JOY_A = 256,
  VX_JOY_B = 257,
  VX_JOY_X = 258,
  VX_JOY_Y = 259,
  VX_JOY_LEFT_BUMPER = 260,
  VX_JOY_RIGHT_BUMPER = 261,
  VX_JOY_SELECT = 262,
  VX_JOY_START = 263,
  VX_JOY_LEFT = 264,
  VX_JOY_UP = 265,
  VX_JOY_RIGHT = 266,
  VX_JOY_DOWN = 267,
  VX_JOY_LEFT_THUMB = 268,
  VX_JOY_RIGHT_THUMB = 269,
};

// The special back key a host may send.
const int VX_KEY_BACK = 416;

// A GLFW key number as a framework key code; 0 for keys the framework
// ignores. Shift and control come out as their left/right codes (160..163);
// the key callback folds them into 16 and 17.
int TransKey(int glfwKey);

// The character a special key types, or 0 for none.
int KeyToChar(int key);

// The framework code the key callback reports for a GLFW key (0: ignored).
int KeyCallbackCode(int glfwKey);
