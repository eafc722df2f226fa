// One update of a running game in its fixed order, the set-up of a new game,
// pausing, and the logical keys that the menus and the pause handling read.
#include <cmath>

#include "framework/app.h"
#include "framework/input.h"
#include "framework/random.h"
#include "game/my_app.h"

int c_MyApp::p_LoadGame() {
  vx_random_Seed = vx_app_Millisecs();
  m_Paused = 0;
  m_Score = 0;
  m_GameOver = 0;
  m_GameOverTimer = 0;
  m_Screen = 10;
  // The game over stopped the music; it comes back with the next game.
  if (vx_TumblastEndless_HasMusic == 1 && m_MusicLoading == 0) m_Music->state = c_KzPlayer::kPlaying;
  m_Colours = 4;
  if (m_Difficulty == 2) m_Colours = 6;
  if (m_Difficulty == 3) m_Colours = 8;

  for (int x = 0; x < 10; ++x) {
    for (int y = 0; y < 17; ++y) {
      int k = p_CellIndex(x, y);
      // Nothing of the last game may linger in a cell: leftovers would keep
      // it from ever coming to rest.
      for (int i = 0; i < kCellFloats; ++i) m_Cells[k + i] = 0.0f;
      int type = p_Rand(-8.0f, static_cast<float>(m_Colours));
      if (y <= 4) {
        type = 0;
      } else if (y >= 12) {
        type = p_Rand(11.0f, 20.0f);
      }
      if (type < 0) type = 0;
      if (x == 0 || x == 9) type = 11;
      m_Cells[k] = static_cast<float>(type);
      // The whole board drops in from three screens above.
      m_Cells[k + 2] = -3.0f * vx_TumblastEndless_jscrh;
    }
  }

  m_SpawnTimer = 360;
  m_SpawnInterval = 180;
  if (m_Difficulty == 2) m_SpawnInterval = 120;
  if (m_Difficulty == 3) m_SpawnInterval = 90;
  m_DangerFrames = 0;
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
  p_DangerCountdown();

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
    p_PlaySFX(1, 1.0f, 0.3f, 0.0f);
  }
}

void c_MyApp::p_DangerCountdown() {
  if (m_Danger == 1) m_DangerFrames += 1;
  if (m_DangerFrames == 60 || m_DangerFrames == 120 || m_DangerFrames == 180 || m_DangerFrames == 240) {
    p_PlaySFX(8, 1.0f, 1.0f, 0.0f);
    m_BgRed = 120.0f;
    m_BgGreen = 0.0f;
    m_BgBlue = 0.0f;
  }
  if (m_DangerFrames == 300) {
    p_PlaySFX(6, 1.0f, 1.0f, 0.0f);
    m_GameOver = 1;
  }
  if (m_Danger == 0) m_DangerFrames = 0;
}

// The ring around the held block; a held bomb adds two more rings that spin
// faster and redden as its fuse burns.
void c_MyApp::p_DrawMarker() {
  float s = m_BoardScale;
  bool bomb = m_HeldType == 10;
  bool red = bomb && m_Fuse > 20.0f;
  p_SetSize(s);
  p_SetRot(m_HeldSpin);
  p_SetCol(255.0f, red ? 0.0f : 255.0f, red ? 0.0f : 255.0f, 1.0f);
  p_DrawImg(2, m_HeldX, m_HeldY, 0.0f);
  if (!bomb) return;

  p_BombFuse();
  m_HeldSpin += m_Fuse * 0.0625f;
  p_SetSize(1.3f * s);
  red = m_Fuse > 60.0f;
  p_SetCol(255.0f, red ? 0.0f : 255.0f, red ? 0.0f : 255.0f);
  p_SetRot(-m_HeldSpin);
  p_DrawImg(2, m_HeldX, m_HeldY, 0.0f);
  red = m_Fuse > 90.0f;
  p_SetCol(255.0f, red ? 0.0f : 255.0f, red ? 0.0f : 255.0f);
  p_SetSize(1.6f * s);
  p_SetRot(m_HeldSpin);
  p_DrawImg(2, m_HeldX, m_HeldY, 0.0f);
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
  if (p_PlayKey(99) && m_Paused == 0 && m_BackLatch == 0) {
    m_BackLatch = 1;
    m_Paused = 1;
    m_PauseState = 1;
    m_PauseScratch = 0;
    p_PlaySFX(98, 1.0f, 0.5f, 0.0f);
  }
  if (p_Button(97, 16.0f, 16.0f, 0) != 0 && m_Paused == 0) {
    m_Paused = 1;
    m_PauseState = 1;
    m_Clicked = 1;
    m_PauseScratch = 0;
    p_PlaySFX(98, 1.0f, 0.5f, 0.0f);
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
  switch (code) {
    case 0:
      return down(38) || (letters && down(87)) || down(265) || vx_input_JoyY(0, 0) < -0.4f || m_Keys[0] != 0;
    case 3:
      return down(37) || (letters && down(65)) || down(264) || vx_input_JoyX(0, 0) < -0.4f || m_Keys[3] != 0;
    case 5:
      return down(39) || (letters && down(68)) || down(266) || vx_input_JoyX(0, 0) > 0.4f || m_Keys[5] != 0;
    case 8:
      return down(40) || (letters && down(83)) || down(267) || vx_input_JoyY(0, 0) > 0.4f || m_Keys[8] != 0;
    case 10:
      return (letters && (down(90) || down(74))) || down(32) || down(13) || down(256) || m_Keys[10] != 0;
    case 11:
      return (letters && (down(88) || down(75))) || down(17) || down(257) || m_Keys[11] != 0;
    case 12:
      return (letters && (down(67) || down(76))) || down(16) || down(258) || m_Keys[12] != 0;
    case 13:
      return (letters && (down(86) || down(73))) || down(259) || m_Keys[13] != 0;
    case 99:
      return down(27) || down(46) || down(8) || down(263) || m_Keys[16] != 0 || m_Keys[17] != 0 ||
             m_Keys[19] != 0;
    default:
      return false;
  }
}

int c_MyApp::p_iCade(int mode) {
  if (mode == 0) {
    vx_input_device->p_SetKeyboardEnabled(false);
    vx_TumblastEndless_iCadeControls = 0;
    for (int i = 0; i <= 18; ++i) m_Keys[i] = 0;
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
