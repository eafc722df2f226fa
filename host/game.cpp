// The platform-neutral host: its settings, and the guarded calls that pass
// every host event to the program and collect after each.
#include "host/game.h"

#include <cstdlib>

#include "runtime/collector.h"

VxGame* VxGame::_game;

VxGame::VxGame()
    : _delegate(nullptr), _keyboardEnabled(false), _updateRate(0), _started(false), _suspended(false) {
  _game = this;
}

VxGame::~VxGame() {}

void VxGame::SetDelegate(VxGameDelegate* delegate) { _delegate = delegate; }
VxGameDelegate* VxGame::Delegate() { return _delegate; }
void VxGame::SetKeyboardEnabled(bool enabled) { _keyboardEnabled = enabled; }
bool VxGame::KeyboardEnabled() { return _keyboardEnabled; }
void VxGame::SetUpdateRate(int updatesPerSecond) { _updateRate = updatesPerSecond; }
int VxGame::UpdateRate() { return _updateRate; }
bool VxGame::Started() { return _started; }
bool VxGame::Suspended() { return _suspended; }
int VxGame::Millisecs() { return 0; }
bool VxGame::PollJoystick(int, Array<float>, Array<float>, Array<float>, Array<bool>) { return false; }
void VxGame::OpenUrl(String) {}
void VxGame::SetMouseVisible(bool) {}

void VxGame::Die(ThrowableObject*) {
  Print(String("Quibbo Runtime Error : Uncaught Quibbo Exception"));
  exit(-1);
}

void VxGame::gc_collect() {
  gc_mark_now(_delegate);
  ::gc_collect();
}

// Every call into the program: an escaping exception is fatal, and the
// collector takes one step afterwards, when no program code is on the stack.
#define VX_GUARDED(call)                 \
  do {                                   \
    try {                                \
      call;                              \
    } catch (ThrowableObject * thrown) { \
      Die(thrown);                       \
    }                                    \
    gc_collect();                        \
  } while (0)

void VxGame::StartGame() {
  if (_started) return;
  _started = true;
  VX_GUARDED(_delegate->StartGame());
}

void VxGame::SuspendGame() {
  if (!_started || _suspended) return;
  _suspended = true;
  VX_GUARDED(_delegate->SuspendGame());
}

void VxGame::ResumeGame() {
  if (!_started || !_suspended) return;
  _suspended = false;
  VX_GUARDED(_delegate->ResumeGame());
}

void VxGame::UpdateGame() {
  if (!_started || _suspended) return;
  VX_GUARDED(_delegate->UpdateGame());
}

void VxGame::RenderGame() {
  if (!_started) return;
  VX_GUARDED(_delegate->RenderGame());
}

void VxGame::KeyEvent(int event, int data) {
  if (!_started) return;
  VX_GUARDED(_delegate->KeyEvent(event, data));
}

void VxGame::MouseEvent(int event, int data, float x, float y) {
  if (!_started) return;
  VX_GUARDED(_delegate->MouseEvent(event, data, x, y));
}

void VxGame::TouchEvent(int event, int data, float x, float y) {
  if (!_started) return;
  VX_GUARDED(_delegate->TouchEvent(event, data, x, y));
}

void VxGame::MotionEvent(int event, int data, float x, float y, float z) {
  if (!_started) return;
  VX_GUARDED(_delegate->MotionEvent(event, data, x, y, z));
}

void VxGame::DiscardGraphics() {
  if (!_started) return;
  VX_GUARDED(_delegate->DiscardGraphics());
}
