// The input module: key and touch state, hits, the character queue,
// joysticks and the pointer, fed by host events and read by the game.
#include "framework/input.h"

#include "framework/app.h"
#include "host/game.h"

c_InputDevice* vx_input_device;

namespace {

bool ValidCode(int code) { return code >= 1 && code < c_InputDevice::kKeyCount; }
bool ValidTouch(int index) { return index >= 0 && index < c_InputDevice::kTouchCount; }
bool ValidStick(int index, int unit) {
  return index >= 0 && index < 2 && unit >= 0 && unit < c_InputDevice::kJoyUnits;
}

// Mouse button 0 and touch 0 are one key seen two ways.
int Mirror(int code) {
  if (code == 1) return c_InputDevice::kTouchBase;
  if (code == c_InputDevice::kTouchBase) return 1;
  return 0;
}

}  // namespace

c_JoyState::c_JoyState() {
  gc_assign(joyX, Array<float>(2));
  gc_assign(joyY, Array<float>(2));
  gc_assign(joyZ, Array<float>(2));
  gc_assign(buttons, Array<bool>(c_InputDevice::kJoyButtons));
}

c_JoyState* c_JoyState::m_new() { return this; }

void c_JoyState::mark() {
  Object::mark();
  gc_mark_q(joyX);
  gc_mark_q(joyY);
  gc_mark_q(joyZ);
  gc_mark_q(buttons);
}

c_InputDevice::c_InputDevice() {
  gc_assign(joyStates, Array<c_JoyState*>(kJoyUnits));
  gc_assign(keyDown, Array<bool>(kKeyCount));
  gc_assign(keyHit, Array<int>(kKeyCount));
  gc_assign(charQueue, Array<int>(kCharQueueLength));
  gc_assign(touchX, Array<float>(kTouchCount));
  gc_assign(touchY, Array<float>(kTouchCount));
  for (int unit = 0; unit < kJoyUnits; ++unit) gc_assign(joyStates[unit], (new c_JoyState())->m_new());
}

c_InputDevice* c_InputDevice::m_new() { return this; }

void c_InputDevice::mark() {
  Object::mark();
  gc_mark_q(joyStates);
  gc_mark_q(keyDown);
  gc_mark_q(keyHit);
  gc_mark_q(charQueue);
  gc_mark_q(touchX);
  gc_mark_q(touchY);
}

int c_InputDevice::p_BeginUpdate() {
  for (int unit = 0; unit < kJoyUnits; ++unit) {
    c_JoyState* state = joyStates[unit];
    // Units are numbered without gaps: the first absent one ends the poll.
    if (!vx_app__game->PollJoystick(unit, state->joyX, state->joyY, state->joyZ, state->buttons)) break;
    for (int button = 0; button < kJoyButtons; ++button) {
      int code = kJoyBase + unit * kJoyButtons + button;
      if (!state->buttons[button]) {
        keyDown[code] = false;
      } else if (!keyDown[code]) {
        // A held button counts once, when it goes down.
        keyDown[code] = true;
        keyHit[code] += 1;
      }
    }
  }
  return 0;
}

int c_InputDevice::p_EndUpdate() {
  for (int code = 0; code < kKeyCount; ++code) {
    keyHit[code] = 0;
    if (releaseDue[code]) keyDown[code] = false;
    releaseDue[code] = false;
    unseen[code] = false;
  }
  charGet = 0;
  charPut = 0;
  return 0;
}

void c_InputDevice::Press(int code) {
  if (!keyDown[code]) unseen[code] = true;
  releaseDue[code] = false;
  keyDown[code] = true;
  keyHit[code] += 1;
}

// A key let go before any update saw it held stays down through the next
// update, so a tap shorter than an update still acts as a held key.
void c_InputDevice::Release(int code) {
  if (unseen[code]) {
    releaseDue[code] = true;
  } else {
    keyDown[code] = false;
  }
}

int c_InputDevice::p_KeyEvent(int event, int code) {
  switch (event) {
    case VX_EVENT_KEY_DOWN:
      // Codes come from outside the program: anything beyond the table is
      // dropped rather than written past it.
      if (!ValidCode(code)) break;
      Press(code);
      if (int mirror = Mirror(code)) Press(mirror);
      break;
    case VX_EVENT_KEY_UP:
      if (!ValidCode(code)) break;
      Release(code);
      if (int mirror = Mirror(code)) Release(mirror);
      break;
    case VX_EVENT_KEY_CHAR:
      // A full queue drops characters until the next tick.
      if (charPut < kCharQueueLength) {
        charQueue[charPut] = code;
        charPut += 1;
      }
      break;
    default:
      break;
  }
  return 0;
}

int c_InputDevice::p_MouseEvent(int event, int button, float x, float y) {
  int code = button + 1;
  switch (event) {
    case VX_EVENT_MOUSE_DOWN:
      p_KeyEvent(VX_EVENT_KEY_DOWN, code);
      break;
    case VX_EVENT_MOUSE_UP:
      // A release leaves the position where it was until the next move.
      p_KeyEvent(VX_EVENT_KEY_UP, code);
      return 0;
    case VX_EVENT_MOUSE_MOVE:
      break;
    default:
      return 0;
  }
  mouseX = x;
  mouseY = y;
  touchX[0] = x;
  touchY[0] = y;
  return 0;
}

int c_InputDevice::p_TouchEvent(int event, int index, float x, float y) {
  if (!ValidTouch(index)) return 0;
  int code = kTouchBase + index;
  switch (event) {
    case VX_EVENT_TOUCH_DOWN:
      p_KeyEvent(VX_EVENT_KEY_DOWN, code);
      break;
    case VX_EVENT_TOUCH_UP:
      p_KeyEvent(VX_EVENT_KEY_UP, code);
      return 0;
    case VX_EVENT_TOUCH_MOVE:
      break;
    default:
      return 0;
  }
  touchX[index] = x;
  touchY[index] = y;
  if (index == 0) {
    mouseX = x;
    mouseY = y;
  }
  return 0;
}

int c_InputDevice::p_MotionEvent(int event, int, float x, float y, float z) {
  if (event == VX_EVENT_ACCELEROMETER) {
    accelX = x;
    accelY = y;
    accelZ = z;
  }
  return 0;
}

bool c_InputDevice::p_SetKeyboardEnabled(bool enabled) {
  vx_app__game->SetKeyboardEnabled(enabled);
  return true;
}

int c_InputDevice::p_GetChar() {
  if (charGet == charPut) return 0;
  int chr = charQueue[charGet];
  charGet += 1;
  return chr;
}

int c_InputDevice::p_KeyHit(int code) { return ValidCode(code) ? keyHit[code] : 0; }

float c_InputDevice::p_MouseX() { return mouseX; }

float c_InputDevice::p_MouseY() { return mouseY; }

bool c_InputDevice::p_KeyDown(int code) { return ValidCode(code) && keyDown[code]; }

float c_InputDevice::p_TouchX(int index) { return ValidTouch(index) ? touchX[index] : 0; }

float c_InputDevice::p_TouchY(int index) { return ValidTouch(index) ? touchY[index] : 0; }

// An invalid stick or unit reads as centred instead of outside the arrays.
float c_InputDevice::p_JoyY(int index, int unit) {
  return ValidStick(index, unit) ? joyStates[unit]->joyY[index] : 0;
}

float c_InputDevice::p_JoyX(int index, int unit) {
  return ValidStick(index, unit) ? joyStates[unit]->joyX[index] : 0;
}

float c_InputDevice::p_AccelX() { return accelX; }

float c_InputDevice::p_AccelY() { return accelY; }

int vx_input_SetInputDevice(c_InputDevice* device) {
  gc_assign(vx_input_device, device);
  return 0;
}

bool vx_input_EnableKeyboard() { return vx_input_device->p_SetKeyboardEnabled(true); }
bool vx_input_DisableKeyboard() { return vx_input_device->p_SetKeyboardEnabled(false); }

int vx_input_GetChar() { return vx_input_device->p_GetChar(); }
bool vx_input_KeyDown(int code) { return vx_input_device->p_KeyDown(code); }
int vx_input_KeyHit(int code) { return vx_input_device->p_KeyHit(code); }
float vx_input_MouseX() { return vx_input_device->p_MouseX(); }
float vx_input_MouseY() { return vx_input_device->p_MouseY(); }
bool vx_input_MouseDown(int button) { return vx_input_device->p_KeyDown(1 + button); }
int vx_input_MouseHit(int button) { return vx_input_device->p_KeyHit(1 + button); }
bool vx_input_TouchDown(int index) { return vx_input_device->p_KeyDown(c_InputDevice::kTouchBase + index); }
float vx_input_TouchX(int index) { return vx_input_device->p_TouchX(index); }
float vx_input_TouchY(int index) { return vx_input_device->p_TouchY(index); }
float vx_input_JoyX(int index, int unit) { return vx_input_device->p_JoyX(index, unit); }
float vx_input_JoyY(int index, int unit) { return vx_input_device->p_JoyY(index, unit); }
bool vx_input_JoyDown(int button, int unit) { return vx_input_device->p_KeyDown(button | 256 | unit << 5); }
float vx_input_AccelX() { return vx_input_device->p_AccelX(); }
float vx_input_AccelY() { return vx_input_device->p_AccelY(); }
