// Window-system input: GLFW callbacks turned into framework events, and the
// joystick poll.
#include <GLFW/glfw3.h>

#include "host/glfw_input.h"

#include "host/gamepad.h"
#include "host/glfw_game.h"
#include "host/key_codes.h"

namespace {

VxGame* Host() { return VxGlfwGame::_glfwGame; }

void CursorPosition(GLFWwindow* window, float* x, float* y) {
  double cx = 0, cy = 0;
  glfwGetCursorPos(window, &cx, &cy);
  // Whole pixels, as the window system reports them.
  *x = static_cast<float>(static_cast<int>(cx));
  *y = static_cast<float>(static_cast<int>(cy));
}

// Set while the Enter key down is the Enter of an Alt+Enter, so that its
// repeats and its release are taken as well.
bool enterTaken = false;

// F11 and Alt+Enter switch fullscreen; the game never sees them, so a
// fullscreen key cannot also act in the game. Enter alone is the game's.
bool TakeFullscreenKey(int key, int action, int mods) {
  if (key == GLFW_KEY_F11) {
    if (action == GLFW_PRESS) VxGlfwGame::_glfwGame->ToggleFullscreen();
    return true;
  }
  if (key != GLFW_KEY_ENTER) return false;
  if (action == GLFW_PRESS) {
    enterTaken = (mods & GLFW_MOD_ALT) != 0;
    if (enterTaken) VxGlfwGame::_glfwGame->ToggleFullscreen();
    return enterTaken;
  }
  bool taken = enterTaken;
  if (action == GLFW_RELEASE) enterTaken = false;
  return taken;
}

}  // namespace

void OnKey(GLFWwindow*, int key, int, int action, int mods) {
  if (TakeFullscreenKey(key, action, mods)) return;
  int code = KeyCallbackCode(key);
  if (!code) return;
  if (action == GLFW_RELEASE) {
    Host()->KeyEvent(VX_EVENT_KEY_UP, code);
  } else if (action == GLFW_PRESS || action == GLFW_REPEAT) {
    Host()->KeyEvent(VX_EVENT_KEY_DOWN, code);
    if (int chr = KeyToChar(code)) Host()->KeyEvent(VX_EVENT_KEY_CHAR, chr);
  }
}

// GLFW 3 calls this for typed characters only, never for releases.
void OnChar(GLFWwindow*, unsigned int codepoint) {
  Host()->KeyEvent(VX_EVENT_KEY_CHAR, static_cast<int>(codepoint));
}

void OnMouseButton(GLFWwindow* window, int button, int action, int) {
  if (button > 2) return;
  float x, y;
  CursorPosition(window, &x, &y);
  Host()->MouseEvent(action == GLFW_RELEASE ? VX_EVENT_MOUSE_UP : VX_EVENT_MOUSE_DOWN, button, x, y);
}

void OnMousePos(GLFWwindow*, double x, double y) {
  Host()->MouseEvent(VX_EVENT_MOUSE_MOVE, -1, static_cast<float>(static_cast<int>(x)),
                     static_cast<float>(static_cast<int>(y)));
}

// The game decides whether to quit: the close button is a key press and
// release, and the window stays open.
void OnWindowClose(GLFWwindow* window) {
  Host()->KeyEvent(VX_EVENT_KEY_DOWN, VX_KEY_CLOSE);
  Host()->KeyEvent(VX_EVENT_KEY_UP, VX_KEY_CLOSE);
  glfwSetWindowShouldClose(window, GLFW_FALSE);
}

void MapJoystickAxes(const float* axes, int axisCount, Array<float> joyx, Array<float> joyy,
                     Array<float> joyz) {
  float a[6] = {0, 0, 0, 0, 0, 0};
  for (int i = 0; i < axisCount && i < 6; ++i) a[i] = axes[i];
  joyx[0] = a[0];
  joyy[0] = a[1];
  switch (axisCount) {
    case 4:
      joyx[1] = a[3];
      joyy[1] = a[2];
      joyz[0] = 0;
      joyz[1] = 0;
      break;
    case 5:
      joyx[1] = a[4];
      joyy[1] = a[3];
      joyz[0] = a[2];
      joyz[1] = 0;
      break;
    default:
      joyx[1] = a[3];
      joyy[1] = a[4];
      joyz[0] = a[2];
      joyz[1] = a[5];
      break;
  }
}

void VxGlfwGame::InstallCallbacks() {
  glfwSetKeyCallback(_window, OnKey);
  glfwSetCharCallback(_window, OnChar);
  glfwSetMouseButtonCallback(_window, OnMouseButton);
  glfwSetCursorPosCallback(_window, OnMousePos);
  glfwSetWindowCloseCallback(_window, OnWindowClose);
}

int VxGlfwGame::JoystickOfUnit(int unit) {
  for (int joystick = GLFW_JOYSTICK_1; joystick <= GLFW_JOYSTICK_LAST; ++joystick) {
    if (glfwJoystickPresent(joystick) && unit-- == 0) return joystick;
  }
  return -1;
}

bool VxGlfwGame::GamepadState(int joystick, unsigned char* pressed, float* axes) {
  GLFWgamepadstate state;
  if (!glfwJoystickIsGamepad(joystick) || !glfwGetGamepadState(joystick, &state)) return false;
  for (int b = 0; b < kGamepadButtons; ++b) pressed[b] = state.buttons[b];
  for (int a = 0; a < kGamepadAxes; ++a) axes[a] = state.axes[a];
  return true;
}

bool VxGlfwGame::PollJoystick(int port, Array<float> joyx, Array<float> joyy, Array<float> joyz,
                              Array<bool> buttons) {
  if (port < 0 || port >= kJoystickUnits) return false;
  // Units are the present joysticks in order, so unplugging the first pad
  // does not hide the second.
  int joystick = JoystickOfUnit(port);
  if (joystick < 0) {
    if (!_joystickSeen[port]) return false;
    _joystickSeen[port] = false;
    ReleaseJoystick(joyx, joyy, joyz, buttons);
    return true;
  }
  _joystickSeen[port] = true;
  unsigned char pressed[kGamepadButtons];
  float axes[kGamepadAxes];
  if (GamepadState(joystick, pressed, axes)) {
    MapGamepad(pressed, axes, joyx, joyy, joyz, buttons);
    return true;
  }
  // A joystick without a mapping reports its own axes and buttons.
  int axisCount = 0, buttonCount = 0;
  const float* rawAxes = glfwGetJoystickAxes(joystick, &axisCount);
  const unsigned char* rawPressed = glfwGetJoystickButtons(joystick, &buttonCount);
  MapJoystickAxes(rawAxes, axisCount, joyx, joyy, joyz);
  for (int k = 0; k < buttonCount && k < 32; ++k) buttons[k] = rawPressed[k] == GLFW_PRESS;
  return true;
}
