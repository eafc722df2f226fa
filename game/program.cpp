// The program's globals, their initialisation, the collector's roots and
// the creation of the application object.
#include "audio/audio.h"
#include "framework/app.h"
#include "framework/async_event.h"
#include "framework/game_delegate.h"
#include "framework/input.h"
#include "framework/random.h"
#include "game/globals.h"
#include "graphics/graphics.h"
#include "runtime/collector.h"
#include "runtime/errors.h"
#include "runtime/startup.h"

namespace {

// Stands in for the game until it exists: a title card over the slowly
// turning background, at the game's rate; quits on the close key.
class c_StandInApp : public c_App {
 public:
  int p_OnCreate() override {
    gc_assign(background, vx_graphics_LoadImage(String("menu.png"), 4, c_Image::MidHandle));
    gc_assign(logo, vx_graphics_LoadImage(String("logo.png"), 1, c_Image::MidHandle));
    gc_assign(studio, vx_graphics_LoadImage(String("common/ZUKOLogo.png"), 1, c_Image::MidHandle));
    vx_app_SetUpdateRate(60);
    return 0;
  }
  int p_OnUpdate() override {
    vx_asyncevent_UpdateAsyncEvents();
    if (vx_input_KeyHit(VX_KEY_CLOSE)) Error(String());
    turn += 0.1f;
    return 0;
  }
  int p_OnRender() override {
    float cx = vx_graphics_DeviceWidth() / 2.0f, cy = vx_graphics_DeviceHeight() / 2.0f;
    vx_graphics_Cls(60, 60, 60);
    vx_graphics_SetAlpha(0.2f);
    vx_graphics_DrawImage2(background, cx, cy, turn, 3, 3, 0);
    vx_graphics_SetAlpha(1);
    vx_graphics_DrawImage2(logo, cx, cy - 40, 0, 1.5f, 1.5f, 0);
    vx_graphics_DrawImage2(studio, cx, cy + 150, 0, 0.4f, 0.4f, 0);
    return 0;
  }
  void mark() override {
    c_App::mark();
    gc_mark_q(background);
    gc_mark_q(logo);
    gc_mark_q(studio);
  }

  c_Image* background = nullptr;
  c_Image* logo = nullptr;
  c_Image* studio = nullptr;
  float turn = 0;
};

}  // namespace

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
  // No credits text yet.
  gc_assign(vx_TumblastEndless_CreditText, Array<String>());
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
  (new c_StandInApp())->m_new();
  return 0;
}
