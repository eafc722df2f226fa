// The game object's construction, start-up and the hooks for losing and
// regaining the foreground: everything that sets the game's state up.
#include "framework/app.h"
#include "game/my_app.h"
#include "graphics/graphics.h"

namespace {

// A game that was running or being set up comes back paused, with the pause
// panel already slid in; elsewhere nothing is paused.
void PauseRunningGame(c_MyApp* app) {
  if (app->m_Screen >= kScreenPlay) {
    app->m_Paused = 1;
    app->m_PauseState = 1;
    app->m_PauseSlide = static_cast<int>(vx_TumblastEndless_jscrh * 0.5f);
  } else {
    app->m_Paused = 0;
    app->m_PauseState = 0;
    app->m_PauseSlide = 0;
  }
}

}  // namespace

c_MyApp::c_MyApp() {
  gc_assign(m_Music, (new c_KzPlayer())->m_new());
  gc_assign(m_Images, Array<c_Image*>(kImageIds));
  gc_assign(m_ImageInfo, Array<int>(3 * kImageIds));
  gc_assign(m_Sounds, Array<c_Sound*>(kSoundIds));
  gc_assign(m_Channels, Array<int>(33));
  gc_assign(m_DrawList, Array<float>(kDrawListFloats));
  gc_assign(m_TouchDown, Array<int>(10));
  gc_assign(m_TouchX, Array<int>(10));
  gc_assign(m_TouchY, Array<int>(10));
  gc_assign(m_Keys, Array<int>(kKeyEntries));
  gc_assign(m_Settings, Array<int>(kSettingCount));
  gc_assign(m_Badges, Array<bool>(256));
  gc_assign(m_HighScores, Array<int>(150));
  gc_assign(m_BadgeQueueA, Array<int>(15));
  gc_assign(m_BadgeQueueB, Array<int>(15));
  gc_assign(m_Cells, Array<float>(2048));
  gc_assign(m_Labels, Array<int>(220));
  gc_assign(m_LabelCount, Array<int>(220));
  gc_assign(m_Particles, Array<float>(2570));
}

c_MyApp* c_MyApp::m_new() {
  c_App::m_new();
  return this;
}

void c_MyApp::mark() {
  c_App::mark();
  gc_mark_q(m_Music);
  gc_mark_q(m_Images);
  gc_mark_q(m_ImageInfo);
  gc_mark_q(m_Sounds);
  gc_mark_q(m_Channels);
  gc_mark_q(m_DrawList);
  gc_mark_q(m_TouchDown);
  gc_mark_q(m_TouchX);
  gc_mark_q(m_TouchY);
  gc_mark_q(m_Keys);
  gc_mark_q(m_Settings);
  gc_mark_q(m_Badges);
  gc_mark_q(m_HighScores);
  gc_mark_q(m_BadgeQueueA);
  gc_mark_q(m_BadgeQueueB);
  gc_mark_q(m_Cells);
  gc_mark_q(m_Labels);
  gc_mark_q(m_LabelCount);
  gc_mark_q(m_Particles);
}

int c_MyApp::p_OnCreate() {
  m_Screen = kScreenMenu;
  vx_app_SetUpdateRate(60);
  m_DeviceWidth = vx_graphics_DeviceWidth();
  m_DeviceHeight = vx_graphics_DeviceHeight();
  if (vx_TumblastEndless_HasMusic == 1) {
    m_Music->p_Kz_Init(32, 4, 3, 3, 4);
    // The player loads its song a few steps per frame; the update starts it
    // once the song is in.
    m_Music->songImagePath = String("music/song.png");
    m_Music->loadStep = 1;
    m_MusicLoading = 1;
  }
  p_Reload();
  m_Difficulty = 2;
  m_MenuSlide = -32;
  m_Paused = 0;
  m_PauseState = -1;
  m_PauseSlide = -64;
  // Defaults first; the saved state then overrides whatever it holds.
  for (int i = 0; i < 15; ++i) {
    m_BadgeQueueA[i] = 0;
    m_BadgeQueueB[i] = 0;
  }
  for (int i = 0; i < 128; ++i) m_Badges[i] = false;
  for (int i = 0; i <= kLastPadKey; ++i) m_Keys[i] = 0;
  for (int i = 0; i < kSettingCount; ++i) m_Settings[i] = 0;
  m_Settings[kSettingSound] = kSoundAll;
  for (int i = 0; i < 31; ++i) m_HighScores[i] = 0;
  p_Load();
  // The difficulty chosen last; older files, which hold 0 there, start on Normal.
  const int stored = m_Settings[kSettingDifficulty];
  m_Difficulty = stored >= 1 && stored <= kDifficulties ? stored : 2;
  for (int i = 0; i < 33; ++i) m_Channels[i] = i;
  return 0;
}

int c_MyApp::p_Reload() {
  m_ClsRed = 0;
  m_ClsGreen = 0;
  m_ClsBlue = 0;
  m_ClsAlpha = 1;
  int width = vx_graphics_DeviceWidth();
  m_HdLevel = 1;
  m_HdScale = 1;
  if (width > 630) {
    m_HdLevel = 2;
    m_HdScale = 0.5f;
  }
  if (width > 1230) {
    m_HdLevel = 4;
    m_HdScale = 0.25f;
  }
  p_LoadImg(kImgStudioLogo, String("common/ZUKOLogo"), 256, 256, 1, 1);
  p_LoadFont(kImgFont, String("fonts/quillset"), 7, 10);
  m_NeedLoad = 1;
  return 0;
}

int c_MyApp::p_OnSuspend() {
  p_iCade(0);
  PauseRunningGame(this);
  // Keep ticking slowly in the background.
  vx_app_SetUpdateRate(5);
  p_Save();
  return 0;
}

int c_MyApp::p_OnResume() {
  PauseRunningGame(this);
  vx_app_SetUpdateRate(60);
  p_iCade(0);
  return 0;
}
