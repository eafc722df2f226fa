#pragma once
// The input module's device and joystick state.
#include "runtime/object.h"

// One joystick unit as the host's poll fills it.
class c_JoyState : public Object {
 public:
  c_JoyState();
  c_JoyState* m_new();
  void mark() override;

  Array<float> joyX;
  Array<float> joyY;
  Array<float> joyZ;
  Array<bool> buttons;
};

// Only names the event kinds; their values are the host's.
class c_VxGameEvent : public Object {};

// The input state the application polls once per update. Mouse buttons,
// keys, joystick buttons and touches share one code space of 512 keys:
// 1..3 mouse, 8..255 keyboard, 256..383 joysticks, 384..415 touches.
class c_InputDevice : public Object {
 public:
  static const int kKeyCount = 512;
  static const int kCharQueueLength = 32;
  static const int kTouchCount = 32;
  static const int kJoyUnits = 4;
  static const int kJoyButtons = 32;
  static const int kJoyBase = 256;
  static const int kTouchBase = 384;

  c_InputDevice();
  c_InputDevice* m_new();

  virtual int p_BeginUpdate();
  virtual int p_EndUpdate();
  virtual int p_KeyEvent(int event, int code);
  virtual int p_MouseEvent(int event, int button, float x, float y);
  virtual int p_TouchEvent(int event, int index, float x, float y);
  virtual int p_MotionEvent(int event, int data, float x, float y, float z);
  virtual bool p_SetKeyboardEnabled(bool enabled);
  virtual int p_GetChar();
  virtual int p_KeyHit(int code);
  virtual float p_MouseX();
  virtual float p_MouseY();
  virtual bool p_KeyDown(int code);
  virtual float p_TouchX(int index);
  virtual float p_TouchY(int index);
  virtual float p_JoyY(int index, int unit);
  virtual float p_JoyX(int index, int unit);
  virtual float p_AccelX();
  virtual float p_AccelY();

  void mark() override;

  Array<c_JoyState*> joyStates;
  Array<bool> keyDown;
  Array<int> keyHit;
  int charGet = 0;
  int charPut = 0;
  Array<int> charQueue;
  float mouseX = 0;
  float mouseY = 0;
  Array<float> touchX;
  Array<float> touchY;
  float accelX = 0;
  float accelY = 0;
  float accelZ = 0;

 private:
  // A press that no update has yet seen held, and a release of such a press
  // put off until the update after it: a quick tap is never lost.
  bool unseen[kKeyCount] = {};
  bool releaseDue[kKeyCount] = {};

  void Press(int code);
  void Release(int code);
};

extern c_InputDevice* vx_input_device;

int vx_input_SetInputDevice(c_InputDevice* device);
bool vx_input_EnableKeyboard();
bool vx_input_DisableKeyboard();
int vx_input_GetChar();
bool vx_input_KeyDown(int code);
int vx_input_KeyHit(int code);
float vx_input_MouseX();
float vx_input_MouseY();
bool vx_input_MouseDown(int button);
int vx_input_MouseHit(int button);
bool vx_input_TouchDown(int index);
float vx_input_TouchX(int index);
float vx_input_TouchY(int index);
float vx_input_JoyX(int index, int unit);
float vx_input_JoyY(int index, int unit);
bool vx_input_JoyDown(int button, int unit);
float vx_input_AccelX();
float vx_input_AccelY();
