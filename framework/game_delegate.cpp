// The framework's delegate: host calls become device work and the
// application's hooks (the framework's callback seam into the game).
#include "framework/game_delegate.h"

#include "audio/audio.h"
#include "framework/app.h"
#include "graphics/graphics.h"

c_GameDelegate* c_GameDelegate::m_new() { return this; }

void c_GameDelegate::StartGame() {
  gc_assign(m_graphics, new gxtkGraphics());
  vx_graphics_SetGraphicsDevice(m_graphics);
  vx_graphics_SetFont(nullptr, 32);
  gc_assign(m_audio, new gxtkAudio());
  vx_audio_SetAudioDevice(m_audio);
  gc_assign(m_input, (new c_InputDevice())->m_new());
  vx_input_SetInputDevice(m_input);
  vx_app__app->p_OnCreate();
}

// The application saves its state before the sound stops, and hears its
// sound again before it resumes.
void c_GameDelegate::SuspendGame() {
  vx_app__app->p_OnSuspend();
  m_audio->Suspend();
}

void c_GameDelegate::ResumeGame() {
  m_audio->Resume();
  vx_app__app->p_OnResume();
}

void c_GameDelegate::UpdateGame() {
  m_input->p_BeginUpdate();
  vx_app__app->p_OnUpdate();
  m_input->p_EndUpdate();
}

void c_GameDelegate::RenderGame() {
  int mode = m_graphics->BeginRender();
  // The hook runs even when the device cannot render this frame: it may keep
  // its own clocks, and without the module's frame its drawing goes nowhere.
  if (mode != VX_RENDER_NONE) vx_graphics_BeginRender();
  if (mode == VX_RENDER_LOADING) {
    vx_app__app->p_OnLoading();
  } else {
    vx_app__app->p_OnRender();
  }
  if (mode != VX_RENDER_NONE) vx_graphics_EndRender();
  m_graphics->EndRender();
}

void c_GameDelegate::KeyEvent(int event, int data) { m_input->p_KeyEvent(event, data); }

void c_GameDelegate::MouseEvent(int event, int data, float x, float y) {
  m_input->p_MouseEvent(event, data, x, y);
}

void c_GameDelegate::TouchEvent(int event, int data, float x, float y) {
  m_input->p_TouchEvent(event, data, x, y);
}

void c_GameDelegate::MotionEvent(int event, int data, float x, float y, float z) {
  m_input->p_MotionEvent(event, data, x, y, z);
}

void c_GameDelegate::DiscardGraphics() { m_graphics->DiscardGraphics(); }

void c_GameDelegate::mark() {
  VxGameDelegate::mark();
  gc_mark_q(m_graphics);
  gc_mark_q(m_audio);
  gc_mark_q(m_input);
}
