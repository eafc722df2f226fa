// The update and render hooks: the input snapshot every screen works from,
// the choice of the screen to run, and the frame that replays what the last
// update drew.
#include <cstdint>

#include "framework/async_event.h"
#include "framework/input.h"
#include "game/my_app.h"
#include "graphics/graphics.h"
#include "host/key_codes.h"
#include "runtime/errors.h"

namespace {

// Logical keys whose holding keeps the back latch set; 14 to 17 name no
// key and always read as released.
const int kLatchKeys[] = {kKeyUp, kKeyLeft, kKeyRight, kKeyDown, kKeyAction, kKeyAction2, kKeyAction3,
                          kKeyAction4, 14, 15, 16, 17, kKeyBack};

// Window pixels to virtual units, toward zero. Before the first frame there
// is no scale yet; positions beyond the int range (or NaN) saturate instead
// of being undefined.
int ToVirtual(float pixels, float scale) {
  float value = pixels / scale;
  if (!(value > -2147483648.0f)) return value != value ? 0 : INT32_MIN;
  if (value >= 2147483648.0f) return INT32_MAX;
  return static_cast<int>(value);
}

// Calls per second from the time since the last call, and a running average.
void CountRate(int& lastMs, int& perSecond, int& average) {
  int now = vx_app_Millisecs();
  if (now - lastMs > 0) perSecond = 1000 / (now - lastMs);
  average = (average * 9 + perSecond) / 10;
  lastMs = vx_app_Millisecs();
}

}  // namespace

int c_MyApp::p_OnUpdate() {
  m_Keys[kBackKeyEntry] = vx_input_KeyHit(VX_KEY_BACK);
  if (vx_input_KeyHit(VX_KEY_CLOSE)) {
    // Quitting keeps the settings, badges and scores; a game in progress is
    // not recorded.
    p_Save();
    Error(String());
  }
  if (vx_input_KeyHit(VX_KEY_F10)) vx_TumblastEndless_DebugMode = 1 - vx_TumblastEndless_DebugMode;
  vx_asyncevent_UpdateAsyncEvents();
  CountRate(m_UpdateLastMs, m_UpdateFps, m_UpdateFpsAvg);
  if (vx_TumblastEndless_HasMusic == 1) {
    if (m_MusicLoading == 1 && m_Music->loadStep == 0) {
      m_MusicLoading = 0;
      m_Music->state = c_KzPlayer::kPlaying;
    }
    m_Music->p_Kz_Alive_U(m_Paused, p_MusicOn() ? 1 : 0);
  }
  p_TakeInput();

  p_RunScreen();

  for (int i = 0; i <= kLastPadKey; ++i) {
    if (m_Keys[i] == 1) m_Keys[i] = 0;
  }
  if (vx_TumblastEndless_DebugMode == 1 && m_Screen != kScreenClickToStart) {
    p_ResetDraw();
    String line = String(m_RenderFpsAvg) + String(":") + String(m_ScaleX) + String(",") + String(m_ScaleY);
    p_Text(16, vx_TumblastEndless_jscrh - 16, line, 0, 0);
  }
  p_ShowBadges();
  return 0;
}

void c_MyApp::p_TakeInput() {
  m_MouseXOld = m_MouseX;
  m_MouseYOld = m_MouseY;
  m_MouseX = ToVirtual(vx_input_MouseX(), m_ScaleX);
  m_MouseY = ToVirtual(vx_input_MouseY(), m_ScaleY);
  bool left = vx_input_MouseDown(0);
  // A new press starts without movement.
  if (m_MouseDownOld == 0 && left) {
    m_MouseXOld = m_MouseX;
    m_MouseYOld = m_MouseY;
  }
  m_MouseDown = left ? 1 : 0;
  m_MouseHit = vx_input_MouseHit(0);
  for (int i = 0; i < kTouchSlots; ++i) {
    m_TouchDown[i] = 0;
    m_TouchX[i] = static_cast<int>(kOmitted);
    m_TouchY[i] = static_cast<int>(kOmitted);
    if (vx_input_TouchDown(i)) {
      m_TouchDown[i] = 1;
      m_TouchX[i] = ToVirtual(vx_input_TouchX(i), m_ScaleX);
      m_TouchY[i] = ToVirtual(vx_input_TouchY(i), m_ScaleY);
      m_MouseDown = 1;
    }
  }
  m_MouseDownOld = left ? 1 : 0;
  p_CursorInput();
  if (m_MouseDown == 0) m_Clicked = 0;

  bool latchKeyHeld = false;
  for (int key : kLatchKeys) {
    if (p_PlayKey(key)) {
      latchKeyHeld = true;
      break;
    }
  }
  if (!latchKeyHeld) m_BackLatch = 0;
  // Back closes an open box on the title screen, once per press.
  if (m_BackLatch == 0 && m_Clicked == 0 && p_PlayKey(kKeyBack) && m_Screen == kScreenMenu &&
      (m_ShowCredits == 1 || m_ShowBadges == 1)) {
    m_ShowCredits = 0;
    m_ShowBadges = 0;
    m_BackLatch = 1;
    m_Clicked = 1;
  }
}

void c_MyApp::p_RunScreen() {
  // Loading comes before every screen, one asset per update.
  if (m_NeedLoad > 0) {
    p_Loader();
    return;
  }
  // The tails below belong to the screen this update started on.
  int screen = m_Screen;
  switch (screen) {
    case kScreenMenu:
      p_Menu();
      break;
    case kScreenRecord:
      p_LoadMenu();
      m_Screen = kScreenMenu;
      screen = kScreenMenu;
      break;
    case kScreenClickToStart:
      p_WaitStart(0);
      break;
    case kScreenPlay:
      p_Game();
      p_DrawCursor();
      p_InGame();
      if (m_GameOver > 0) p_GameOver();
      break;
    case kScreenNewGame:
      p_LoadGame();
      break;
    default:
      break;
  }
  if (screen == kScreenMenu) {
    // The last game's result stays over the menu while its timer runs.
    p_GameOver();
    if (m_ShowCredits == 1 || m_CreditsFade > 0) p_CreditBox();
  }
  // On the title screen with the box shut and faded this changes nothing.
  if (m_ShowCredits == 1 && m_CreditsFade < 30) m_CreditsFade += 1;
  if (m_ShowCredits == 0 && m_CreditsFade > 0) m_CreditsFade -= 1;
  if (screen == kScreenMenu && m_ShowBadges == 1) p_BadgesBox();
  // A screen that asked for a reload gets its first step at once.
  if (m_NeedLoad > 0) p_Loader();
}

int c_MyApp::p_OnRender() {
  if (vx_TumblastEndless_HasMusic == 1) m_Music->p_Kz_Alive_R();
  CountRate(m_RenderLastMs, m_RenderFps, m_RenderFpsAvg);
  int width = vx_graphics_DeviceWidth();
  int height = vx_graphics_DeviceHeight();
  // The frame is covered rather than cleared, so a clear alpha below 1 leaves trails.
  vx_graphics_SetColor(m_ClsRed, m_ClsGreen, m_ClsBlue);
  vx_graphics_SetAlpha(m_ClsAlpha);
  vx_graphics_DrawRect(-1, -1, static_cast<float>(width + 2), static_cast<float>(height + 2));
  vx_graphics_SetColor(255, 255, 255);
  vx_graphics_SetAlpha(1);
  // Images come in sizes chosen by the window: a new size reloads them.
  if (width != m_DeviceWidth || height != m_DeviceHeight) {
    m_NeedLoad = 1;
    m_DeviceWidth = width;
    m_DeviceHeight = height;
  }
  p_FitVirtualScreen(width, height);
  p_ReplayDrawList();
  return 0;
}
