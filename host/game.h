#pragma once
// The platform-neutral host object, with the framework's event ids.
#include <cstdio>

#include "host/game_delegate.h"
#include "runtime/array.h"
#include "runtime/errors.h"
#include "runtime/string.h"

// Framework event ids.
enum {
  VX_EVENT_KEY_DOWN = 1,
  VX_EVENT_KEY_UP = 2,
  VX_EVENT_KEY_CHAR = 3,
  VX_EVENT_MOUSE_DOWN = 4,
  VX_EVENT_MOUSE_UP = 5,
  VX_EVENT_MOUSE_MOVE = 6,
  VX_EVENT_TOUCH_DOWN = 7,
  VX_EVENT_TOUCH_UP = 8,
  VX_EVENT_TOUCH_MOVE = 9,
  VX_EVENT_ACCELEROMETER = 10,
};

// The window's close button, sent as a key press and release.
const int VX_KEY_CLOSE = 432;

// The platform-neutral host: owns the delegate, guards every call into the
// program, and gives the program its files and saved state.
class VxGame {
 public:
  VxGame();
  virtual ~VxGame();

  virtual void SetDelegate(VxGameDelegate* delegate);
  virtual VxGameDelegate* Delegate();
  virtual void SetKeyboardEnabled(bool enabled);
  virtual bool KeyboardEnabled();
  virtual void SetUpdateRate(int updatesPerSecond);
  virtual int UpdateRate();
  virtual bool Started();
  virtual bool Suspended();
  virtual int Millisecs();
  virtual void GetDate(Array<int> date);
  virtual int SaveState(String state);
  virtual String LoadState();
  virtual String LoadString(String path);
  virtual bool PollJoystick(int port, Array<float> joyx, Array<float> joyy, Array<float> joyz,
                            Array<bool> buttons);
  virtual void OpenUrl(String url);
  virtual void SetMouseVisible(bool visible);
  virtual String PathToFilePath(String path);
  virtual FILE* OpenFile(String path, String mode);
  virtual unsigned char* LoadData(String path, int* length);
  [[noreturn]] virtual void Die(ThrowableObject* exception);
  virtual void gc_collect();
  virtual void StartGame();
  virtual void SuspendGame();
  virtual void ResumeGame();
  virtual void UpdateGame();
  virtual void RenderGame();
  virtual void KeyEvent(int event, int data);
  virtual void MouseEvent(int event, int data, float x, float y);
  virtual void TouchEvent(int event, int data, float x, float y);
  virtual void MotionEvent(int event, int data, float x, float y, float z);
  virtual void DiscardGraphics();

  static VxGame* _game;

 protected:
  VxGameDelegate* _delegate;
  bool _keyboardEnabled;
  int _updateRate;
  bool _started;
  bool _suspended;
};
