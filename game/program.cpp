// The program's globals, their initialisation, the collector's roots and
// the creation of the application object.
#include "audio/audio.h"
#include "framework/app.h"
#include "framework/async_event.h"
#include "framework/game_delegate.h"
#include "framework/input.h"
#include "framework/random.h"
#include "game/globals.h"
#include "game/my_app.h"
#include "graphics/graphics.h"
#include "runtime/collector.h"
#include "runtime/startup.h"

void vxInit() {
  vx_app__app = nullptr;
  vx_app__delegate = nullptr;
  vx_app__game = VxGame::_game;
  vx_graphics_device = nullptr;
  gc_assign(vx_graphics_context, (new c_GraphicsContext())->m_new());
  c_Image::m_DefaultFlags = 0;
  vx_audio_device = nullptr;
  vx_input_device = nullptr;
  vx_graphics_renderDevice = nullptr;
  vx_app__updateRate = 0;
  vx_TumblastEndless_HasMusic = VX_HAS_MUSIC;
  vx_TumblastEndless_DebugMode = 0;
  vx_TumblastEndless_rawscrw = 640.0f;
  vx_TumblastEndless_rawscrh = 480.0f;
  vx_TumblastEndless_jscrw = 640.0f;
  vx_TumblastEndless_jscrh = 480.0f;
  vx_TumblastEndless_iCadeControls = 0;
  vx_asyncevent__current = nullptr;
  gc_assign(vx_asyncevent__sources, (new c_Stack())->m_new());
  vx_random_Seed = 1234;
  gc_assign(vx_TumblastEndless_CreditText, c_MyApp::m_CreditText());
  vx_TumblastEndless_OnScreenControls = 0;
  vx_TumblastEndless_AccelerometerControls = 0;
}

void gc_mark() {
  gc_mark_q(vx_app__app);
  gc_mark_q(vx_app__delegate);
  gc_mark_q(vx_graphics_device);
  gc_mark_q(vx_graphics_context);
  gc_mark_q(vx_audio_device);
  gc_mark_q(vx_input_device);
  gc_mark_q(vx_graphics_renderDevice);
  gc_mark_q(vx_asyncevent__current);
  gc_mark_q(vx_asyncevent__sources);
  gc_mark_q(vx_TumblastEndless_CreditText);
}

int vxMain() {
  (new c_MyApp())->m_new();
  return 0;
}
