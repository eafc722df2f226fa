// One update of a running game in its fixed order, the set-up of a new game,
// pausing, and the logical keys that the menus and the pause handling read.
#include <cmath>

#include "framework/app.h"
#include "framework/input.h"
#include "framework/random.h"
#include "game/my_app.h"
#include "host/key_codes.h"

int c_MyApp::p_LoadGame() {
  vx_random_Seed = vx_app_Millisecs();
  // Kept with the settings, so the next start offers the same difficulty.
  m_Settings[kSettingDifficulty] = m_Difficulty;
  m_Paused = 0;
  m_Score = 0;
  m_GameOver = 0;
  m_GameOverTimer = 0;
  m_Screen = kScreenPlay;
  // The game over stopped the music; it comes back with the next game.
  if (vx_TumblastEndless_HasMusic == 1 && m_MusicLoading == 0) m_Music->state = c_KzPlayer::kPlaying;
  m_Colours = 4;
  if (m_Difficulty == 2) m_Colours = 6;
  if (m_Difficulty == 3) m_Colours = 8;

  for (int x = 0; x < kBoardColumns; ++x) {
    for (int y = 0; y < kBoardRows; ++y) {
      int k = p_CellIndex(x, y);
      // Nothing of the last game may linger in a cell: leftovers would keep
      // it from ever coming to rest.
      for (int i = 0; i < kCellFloats; ++i) m_Cells[k + i] = 0.0f;
      int type = p_Rand(-8.0f, static_cast<float>(m_Colours));
      if (y <= 4) {
        type = 0;
      } else if (y >= 12) {
        type = p_Rand(kWall, kLastSolid);
      }
      if (type < 0) type = 0;
      m_Cells[k + kCellType] = x == 0 || x == kBoardColumns - 1 ? kWall : static_cast<float>(type);
      // The whole board drops in from three screens above.
      m_Cells[k + kCellOffsetY] = -3.0f * vx_TumblastEndless_jscrh;
    }
  }

  m_SpawnTimer = 360;
  m_SpawnInterval = 180;
  if (m_Difficulty == 2) m_SpawnInterval = 120;
  if (m_Difficulty == 3) m_SpawnInterval = 90;
  m_DangerFrames = 0;
  p_BadgeGameStart();
  return 0;
}

int c_MyApp::p_Game() {
  p_CLS2D(0.0f, 0.0f, 40.0f, 1.0f);
  p_DoBG();
  p_ResetDraw();

  p_LayOutBoard();
  float s = m_BoardScale;

  int held0 = m_Holding;
  p_LandingSound();
  m_HeldX = -320.0f;
  m_HeldY = -320.0f;
  m_BlockCount = 1;
  p_SetSize(s);
  m_Danger = 0;

  p_BoardPass(held0);
  // A paused game never ends: the countdown stands still behind the pause
  // menu and goes on from there once the game resumes.
  if (m_Paused == 0) p_DangerCountdown();

  p_ResetDraw();
  if (m_MouseDown == 0) {
    m_Holding = 0;
    m_HeldCol = 0;
    m_HeldRow = 0;
  }
  // The fuse only burns while the pointer stays on the marker.
  if (std::fabs(static_cast<float>(m_MouseX) - m_HeldX) > 32.0f * s ||
      std::fabs(static_cast<float>(m_MouseY) - m_HeldY) > 32.0f * s) {
    m_Fuse = 0.0f;
  }

  p_CopyLabels();
  p_MergeLabels();
  p_CountLabels();
  p_ResetDraw();
  p_BlastGroup();
  p_DropBlock();

  if (m_HeldX > -100.0f) p_DrawMarker();
  m_HeldSpin = std::fmod(m_HeldSpin + 1.0f, 360.0f);

  p_ResetDraw();
  p_UpdateParticles();
  p_ResetDraw();
  p_DrawScore();
  p_BadgeTick();
  return 0;
}

void c_MyApp::p_LayOutBoard() {
  m_BoardScale = std::fmin(vx_TumblastEndless_jscrh / 576.0f, vx_TumblastEndless_jscrw / 432.0f);
  m_BoardLeft = vx_TumblastEndless_jscrw * 0.5f - 216.0f * m_BoardScale;
  m_BoardTop = 0.0f;
}

// A landing heard this update sounds at the start of the next one, at most
// once every five updates.
void c_MyApp::p_LandingSound() {
  if (m_LandCue < 0) {
    m_LandCue += 1;
  } else if (m_LandCue > 0) {
    m_LandCue = -4;
    p_PlaySFX(kSfxLand, 1.0f, 0.3f, 0.0f);
  }
}

void c_MyApp::p_DangerCountdown() {
  if (m_Danger == 1) m_DangerFrames += 1;
  if (m_DangerFrames == 60 || m_DangerFrames == 120 || m_DangerFrames == 180 || m_DangerFrames == 240) {
    p_PlaySFX(kSfxDanger, 1.0f, 1.0f, 0.0f);
    m_BgRed = 120.0f;
    m_BgGreen = 0.0f;
    m_BgBlue = 0.0f;
  }
  if (m_DangerFrames == 300) {
    p_PlaySFX(kSfxGameOver, 1.0f, 1.0f, 0.0f);
    m_GameOver = 1;
  }
  if (m_Danger == 0) p_BadgeDangerOver(m_DangerFrames);
  if (m_Danger == 0) m_DangerFrames = 0;
}

// The ring around the held block; a held bomb adds two more rings that spin
// faster and redden as its fuse burns.
void c_MyApp::p_DrawMarker() {
  float s = m_BoardScale;
  bool bomb = m_HeldType == kBomb;
  bool red = bomb && m_Fuse > 20.0f;
  p_SetSize(s);
  p_SetRot(m_HeldSpin);
  p_SetCol(255.0f, red ? 0.0f : 255.0f, red ? 0.0f : 255.0f, 1.0f);
  p_DrawImg(kImgRing, m_HeldX, m_HeldY, 0.0f);
  if (!bomb) return;

  p_BombFuse();
  m_HeldSpin += m_Fuse * 0.0625f;
  p_SetSize(1.3f * s);
  red = m_Fuse > 60.0f;
  p_SetCol(255.0f, red ? 0.0f : 255.0f, red ? 0.0f : 255.0f);
  p_SetRot(-m_HeldSpin);
  p_DrawImg(kImgRing, m_HeldX, m_HeldY, 0.0f);
  red = m_Fuse > 90.0f;
  p_SetCol(255.0f, red ? 0.0f : 255.0f, red ? 0.0f : 255.0f);
  p_SetSize(1.6f * s);
  p_SetRot(m_HeldSpin);
  p_DrawImg(kImgRing, m_HeldX, m_HeldY, 0.0f);
}

void c_MyApp::p_DrawScore() {
  static const String kPad("0");
  m_ScoreShown -= (m_ScoreShown - m_Score) / 6;
  int gap = m_ScoreShown - m_Score;
  if (gap > -6 && gap < 6) m_ScoreShown = m_Score;
  p_SetCol(100.0f, 255.0f, 100.0f, 0.8f);
  p_SetSize(2.0f);
  p_Text(vx_TumblastEndless_jscrw * 0.5f, 32.0f, p_rstr(m_ScoreShown, 8, kPad), 1.0f, 1.0f);
}

int c_MyApp::p_InGame() {
  p_ResetDraw();
  m_MenuSlide = -32;
  if (p_PlayKey(kKeyBack) && m_Paused == 0 && m_BackLatch == 0) {
    m_BackLatch = 1;
    m_Paused = 1;
    m_PauseState = 1;
    m_PauseScratch = 0;
    p_PlaySFX(kSfxClick, 1.0f, 0.5f, 0.0f);
  }
  if (p_Button(kImgIcons, 16.0f, 16.0f, kIconPause) != 0 && m_Paused == 0) {
    m_Paused = 1;
    m_PauseState = 1;
    m_Clicked = 1;
    m_PauseScratch = 0;
    p_PlaySFX(kSfxClick, 1.0f, 0.5f, 0.0f);
  }
  if (m_Paused == 1) p_PauseMenu();
  return 0;
}

bool c_MyApp::p_PlayKey(int code) {
  int mode = vx_TumblastEndless_iCadeControls;
  if (mode != 0 && mode != 1) return false;
  // Arcade cabinets send letters as characters, so letters are not keys then.
  bool letters = mode == 0;
  auto down = [](int key) { return vx_input_KeyDown(key); };
  auto letter = [&](int key) { return letters && down(key); };
  switch (code) {
    case kKeyUp:
      return down(VX_KEY_UP) || letter(VX_KEY_W) || down(VX_JOY_UP) || vx_input_JoyY(0, 0) < -0.4f ||
             m_Keys[kKeyUp] != 0;
    case kKeyLeft:
      return down(VX_KEY_LEFT) || letter(VX_KEY_A) || down(VX_JOY_LEFT) || vx_input_JoyX(0, 0) < -0.4f ||
             m_Keys[kKeyLeft] != 0;
    case kKeyRight:
      return down(VX_KEY_RIGHT) || letter(VX_KEY_D) || down(VX_JOY_RIGHT) || vx_input_JoyX(0, 0) > 0.4f ||
             m_Keys[kKeyRight] != 0;
    case kKeyDown:
      return down(VX_KEY_DOWN) || letter(VX_KEY_S) || down(VX_JOY_DOWN) || vx_input_JoyY(0, 0) > 0.4f ||
             m_Keys[kKeyDown] != 0;
    case kKeyAction:
      return letter(VX_KEY_Z) || letter(VX_KEY_J) || down(VX_KEY_SPACE) || down(VX_KEY_ENTER) || down(VX_JOY_A) ||
             m_Keys[kKeyAction] != 0;
    case kKeyAction2:
      return letter(VX_KEY_X) || letter(VX_KEY_K) || down(VX_KEY_CONTROL) || down(VX_JOY_B) || m_Keys[kKeyAction2] != 0;
    case kKeyAction3:
      return letter(VX_KEY_C) || letter(VX_KEY_L) || down(VX_KEY_SHIFT) || down(VX_JOY_X) || m_Keys[kKeyAction3] != 0;
    case kKeyAction4:
      return letter(VX_KEY_V) || letter(VX_KEY_I) || down(VX_JOY_Y) || m_Keys[kKeyAction4] != 0;
    case kKeyBack:
      return down(VX_KEY_ESCAPE) || down(VX_KEY_DELETE) || down(VX_KEY_BACKSPACE) || down(VX_JOY_START) ||
             m_Keys[kPadBackEntry] != 0 || m_Keys[kPadBackEntry2] != 0 || m_Keys[kBackKeyEntry] != 0;
    default:
      return false;
  }
}

int c_MyApp::p_iCade(int mode) {
  if (mode == 0) {
    vx_input_device->p_SetKeyboardEnabled(false);
    vx_TumblastEndless_iCadeControls = 0;
    for (int i = 0; i <= kLastPadKey; ++i) m_Keys[i] = 0;
  } else if (mode == 1) {
    vx_input_device->p_SetKeyboardEnabled(true);
    vx_TumblastEndless_iCadeControls = 1;
    // Characters typed before the switch are not cabinet input.
    do {
      m_LastChar = vx_input_GetChar();
    } while (m_LastChar != 0);
  }
  return 0;
}
