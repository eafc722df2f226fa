#pragma once
// The delegate the framework attaches to the host.
#include "audio/audio_device.h"
#include "framework/input.h"
#include "graphics/graphics_device.h"
#include "host/game_delegate.h"

// Turns the host's calls into device work and application hooks.
class c_GameDelegate : public VxGameDelegate {
 public:
  c_GameDelegate* m_new();

  // Creates the devices, then lets the application create itself.
  void StartGame() override;
  void SuspendGame() override;
  void ResumeGame() override;
  void UpdateGame() override;
  void RenderGame() override;
  void KeyEvent(int event, int data) override;
  void MouseEvent(int event, int data, float x, float y) override;
  void TouchEvent(int event, int data, float x, float y) override;
  void MotionEvent(int event, int data, float x, float y, float z) override;
  void DiscardGraphics() override;

  void mark() override;

  gxtkGraphics* m_graphics = nullptr;
  gxtkAudio* m_audio = nullptr;
  c_InputDevice* m_input = nullptr;
};

// What the device's BeginRender answers.
enum {
  VX_RENDER_NONE = 0,
  VX_RENDER_NORMAL = 1,
  VX_RENDER_LOADING = 2,
};
