// The menu screens: the title menu, the click-to-start screen with the
// loading spinner, and the pause overlay. Each is redrawn every update and
// acts on the presses its buttons report while being drawn.
#include <cmath>
#include <cstdio>

#include "framework/app.h"
#include "framework/maths.h"
#include "game/my_app.h"

namespace {

float DegSin(float degrees) { return static_cast<float>(std::sin(static_cast<double>(degrees * D2R))); }
float DegCos(float degrees) { return static_cast<float>(std::cos(static_cast<double>(degrees * D2R))); }

}  // namespace

bool c_MyApp::p_EffectsOn() {
  int option = m_Settings[kSettingSound];
  return option == kSoundAll || option == kSoundEffects;
}

bool c_MyApp::p_MusicOn() {
  int option = m_Settings[kSettingSound];
  return option == kSoundAll || option == kSoundMusic;
}

void c_MyApp::p_SwitchSound() {
  int& option = m_Settings[kSettingSound];
  if (vx_TumblastEndless_HasMusic == 1) {
    option = (option + 1) % 4;
  } else {
    // Without music only silence and full sound are offered.
    option = 1 - option;
    if (option < kSoundOff || option > kSoundAll) option = kSoundOff;
  }
}

int c_MyApp::p_SoundIcon() { return m_Settings[kSettingSound] == kSoundOff ? kIconSoundOff : kIconSoundOn; }

void c_MyApp::p_SoundMark(float x, float y) {
  int option = m_Settings[kSettingSound];
  if (vx_TumblastEndless_HasMusic != 1 || option < kSoundAll || option > kSoundMusic) return;
  p_SetSize(1.5f);
  p_SetCol(180, 255, 255);
  p_DrawImg(kImgIcons, x + 20, y, static_cast<float>(kIconMusicMark + option));
}

String c_MyApp::p_ScorePanel(const String& heading, const String& single, int rows, int first) {
  static const String kPad(" ");
  // Gathered in one buffer so a panel costs one string besides its scores.
  String::Char text[256];
  int length = 0;
  auto append = [&](const String::Char* units, int count) {
    for (int i = 0; i < count && length < 256; ++i) text[length++] = units[i];
  };
  if (rows == 1) {
    append(single.Data(), single.Length());
  } else {
    append(heading.Data(), heading.Length());
    char digits[16];
    int count = snprintf(digits, sizeof digits, "%i", rows);
    for (int i = 0; i < count && length < 256; ++i) text[length++] = static_cast<String::Char>(digits[i]);
  }
  static const String::Char kLineBreak[2] = {'\\', 'n'};
  for (int i = 0; i < rows; ++i) {
    append(kLineBreak, 2);
    String score = p_rstr(m_HighScores[first + i], 11, kPad);
    append(score.Data(), score.Length());
  }
  return String(text, length);
}

int c_MyApp::p_Menu() {
  static const String kTop("Top "), kHighscore("Highscore"), kLast("Last "), kLastOne("Last");
  const float w = vx_TumblastEndless_jscrw, h = vx_TumblastEndless_jscrh;

  p_CLS2D(0, 0, 80, 1);
  if (m_MenuSlide < 0) m_MenuSlide = static_cast<int>(static_cast<float>(m_MenuSlide) + 0.25f);
  const float slide = static_cast<float>(m_MenuSlide);
  const bool boxOpen = m_ShowCredits == 1 || m_ShowBadges == 1;

  m_MenuOffset = 140;
  p_DoBG();

  p_SetSize(1);
  p_DrawImg(kImgTitleLogo, w * 0.4f, h * 0.2f + slide * 12, 0);

  const float panelX = w - 140 - slide * 4;
  p_SetCol(0, 0, 0, 0.4f);
  p_Rect(panelX, 0, 140, h);
  p_ResetDraw();

  // Sound switch.
  p_SetSize(2);
  p_SetCol(50, 250, 50, 1);
  float sx, sy;
  if (m_Landscape == 1) {
    sx = slide * 4 + 32;
    sy = static_cast<float>(static_cast<int>(h * 0.5f));
  } else {
    sx = static_cast<float>(static_cast<int>(w * 0.5f));
    sy = slide * 4 + 32;
  }
  if (p_Button(kImgIcons, sx, sy, p_SoundIcon()) != 0 && m_Clicked == 0) {
    p_SwitchSound();
    m_Clicked = 1;
    p_PlaySFX(kSfxClick, 1, 0.5f, 0);
  }
  p_SoundMark(sx, sy);
  p_BadgeButton();

  // Best and last scores of the chosen difficulty, as many rows as fit.
  p_SetCol(255, 200, 100, 1);
  p_SetSize(1.5f);
  const int lineHeight = static_cast<int>(static_cast<float>(m_ImageInfo[3 * m_CurrentFont + 1]) * 1.5f);
  const int space = static_cast<int>(h - 90 - h * 0.5f);
  // Guarded only so a font without a line height cannot divide by zero.
  int rows = lineHeight != 0 ? space / lineHeight : 1;
  if (rows < 1) rows = 1;
  if (rows > 10) rows = 10;
  const int first = (m_Difficulty - 1) * 10;
  if (!boxOpen) p_Text(panelX + 20, 60, p_ScorePanel(kTop, kHighscore, rows, first), 0, 0);
  p_SetCol(200, 255, 100);
  p_SetSize(1.5f);
  if (!boxOpen) p_Text(panelX + 20, h * 0.5f + 20, p_ScorePanel(kLast, kLastOne, rows, first + 30), 0, 0);

  // Difficulty buttons: each starts a game.
  p_ResetDraw();
  p_SetSize(1.5f);
  p_Alpha(1);
  for (int k = 1; k <= 3; ++k) {
    float bx, by;
    if (m_Landscape == 1) {
      bx = w * (k == 1 ? 0.2f : k == 2 ? 0.4f : 0.6f);
      by = h * 0.7f - slide * (k == 1 ? 8 : k == 2 ? 12 : 10);
    } else {
      bx = k == 1 ? w * 0.3f - slide * 8 : k == 2 ? w * 0.3f : w * 0.3f + slide * 8;
      by = k == 1 ? h * 0.45f : k == 2 ? h * 0.65f - slide * 12 : h * 0.85f;
    }
    int pressed = p_Button(kImgButtons, bx, by, k - 1);
    if (m_Difficulty == k) {
      p_Alpha(0.75f);
      p_DrawImg(kImgButtons, bx, by, kButtonSelected);
      p_Alpha(1);
    }
    if (pressed != 0 && m_Clicked == 0 && !boxOpen) {
      m_Screen = kScreenNewGame;
      m_Clicked = 1;
      m_BackLatch = 1;
      m_Difficulty = k;
      p_PlaySFX(kSfxClick, 1, 0.5f, 0);
    }
  }

  // Keys: one action per press; the screen flow releases the latch.
  p_ResetDraw();
  if (m_BackLatch == 0 && !boxOpen && m_Difficulty > 1 && (p_PlayKey(kKeyUp) || p_PlayKey(kKeyLeft))) {
    m_Difficulty -= 1;
    p_PlaySFX(kSfxClick, 0.8f, 0.5f, 0);
    m_BackLatch = 1;
  }
  if (m_BackLatch == 0 && !boxOpen && m_Difficulty <= 2 && (p_PlayKey(kKeyDown) || p_PlayKey(kKeyRight))) {
    m_Difficulty += 1;
    p_PlaySFX(kSfxClick, 1.2f, 0.5f, 0);
    m_BackLatch = 1;
  }
  if (m_BackLatch == 0 && !boxOpen &&
      (p_PlayKey(kKeyAction) || p_PlayKey(kKeyAction2) || p_PlayKey(kKeyAction3) || p_PlayKey(kKeyAction4))) {
    m_Screen = kScreenNewGame;
    m_Clicked = 1;
    p_PlaySFX(kSfxClick, 1, 0.5f, 0);
    m_BackLatch = 1;
  }

  // Studio logo: opens the credits.
  p_ResetDraw();
  p_SetSize(0.5f);
  if (p_Button(kImgStudioLogo, w - 70, h - 40 - slide * 4, 0) != 0 && m_Clicked == 0 && !boxOpen) {
    m_Clicked = 1;
    p_PlaySFX(kSfxCredits, 1, 1, 0);
    m_ShowCredits = 1;
  }
  return 0;
}

void c_MyApp::p_SpinnerDots(float grey, int angle) {
  const float w = vx_TumblastEndless_jscrw, h = vx_TumblastEndless_jscrh;
  const float reach = static_cast<float>(m_MenuW) * 0.25f;
  for (int i = 0; i <= 10; ++i) {
    p_SetCol(grey, grey, grey, static_cast<float>(i) / 10.0f);
    const float a = static_cast<float>(angle + i * 16);
    p_Oval(w * 0.5f + DegSin(a) * reach, h * 0.5f - DegCos(a) * reach, 8, 8);
  }
}

int c_MyApp::p_WaitStart(int mode) {
  static const String kClickToStart(" Click to Start");
  const float w = vx_TumblastEndless_jscrw, h = vx_TumblastEndless_jscrh;

  p_CLS2D(40, 40, 80, 1);
  m_MenuW = static_cast<int>(w < h ? w : h);
  m_WaitScroll += 16;
  if (mode == 1) p_SpinnerDots(250, m_WaitScroll + 180);

  const float disc = static_cast<float>(m_MenuW) * 0.3f;
  p_SetCol(255, 255, 0, 0.8f);
  p_Oval(w * 0.5f, h * 0.5f, disc, disc);
  p_SetCol(250, 160, 60, 0.7f);
  p_Rect(0, h * 0.4f, w, h * 0.2f);
  p_ResetDraw();
  p_DrawImg(kImgStudioLogo, w * 0.5f, h * 0.48f, 0);

  if (mode == 1) p_SpinnerDots(50, m_WaitScroll);

  if (mode == 0) {
    p_SetSize(1);
    p_SetCol(0, 0, 0, 0.2f);
    p_Oval(w * 0.5f, h * 0.7f, 136, 24);
    p_Oval(w * 0.5f, h * 0.7f, 132, 20);
    p_Oval(w * 0.5f, h * 0.7f, 128, 16);
    p_SetSize(2);
    p_SetCol(255, 255, 255, 1);
    p_Text(w * 0.5f, h * 0.7f, kClickToStart, 1, 0.8f);
    const float mx = static_cast<float>(m_MouseX), my = static_cast<float>(m_MouseY);
    if (m_MouseHit > 0 && w * 0.25f < mx && mx < w * 0.75f && h * 0.25f < my && my < h * 0.75f) {
      m_Clicked = 1;
      m_Screen = kScreenMenu;
      p_Reload();
      vx_app_SetUpdateRate(60);
    }
  }
  return 0;
}

void c_MyApp::p_PauseClose() {
  m_PauseState = -1;
  p_PlaySFX(kSfxClick, 1, 0.5f, 0);
}

void c_MyApp::p_PauseQuit() {
  // The game ends at once and goes through the game-over banner.
  m_Paused = 0;
  m_PauseState = -1;
  m_PauseSlide = -64;
  m_GameOver = 1;
  p_PlaySFX(kSfxClick, 0.5f, 0.5f, 0);
}

int c_MyApp::p_PauseMenu() {
  const float w = vx_TumblastEndless_jscrw, h = vx_TumblastEndless_jscrh;

  p_ResetDraw();
  p_SetCol(0, 0, 0, static_cast<float>(vx_math_Abs(m_PauseSlide)) / (h * 0.8f));
  p_Rect(0, 0, w, h);

  if (m_PauseState == 1 && static_cast<float>(m_PauseSlide) < h * 0.5f) {
    m_PauseSlide += 24;
  } else if (m_PauseState == -1) {
    if (m_PauseSlide < -63) {
      m_Paused = 0;
    } else {
      m_PauseSlide -= 24;
      if (m_PauseSlide < -32) m_Paused = 0;
    }
  }

  p_ResetDraw();
  const float c = w * 0.5f, p = static_cast<float>(m_PauseSlide);
  const bool landscape = m_Landscape == 1;
  p_SetCol(255, 255, 10, 0.6f);
  if (landscape) p_Rect(c - 128, p - 64, 256, 8); else p_Rect(c - 96, p - 92, 192, 8);
  p_SetCol(255, 150, 10, 0.7f);
  if (landscape) p_Rect(c - 140, p - 52, 280, 104); else p_Rect(c - 128, p - 80, 256, 160);
  p_SetCol(10, 150, 255, 0.6f);
  if (landscape) p_Rect(c - 128, p + 56, 256, 8); else p_Rect(c - 96, p + 84, 192, 8);

  // Icon buttons; they keep the alpha of the panel's last strip.
  const float side = landscape ? 140.0f : 96.0f, rise = landscape ? 64.0f : 96.0f;
  const float quitX = c - side, soundX = c + side, iconY = p - rise;
  p_SetSize(2);
  p_SetCol(255, 50, 50);
  const int quit = p_Button(kImgIcons, quitX, iconY, kIconQuit);
  p_SetCol(50, 50, 250);
  const int resume = p_Button(kImgIcons, c, p, kIconResume);
  p_SetCol(50, 250, 50);
  const int sound = p_Button(kImgIcons, soundX, iconY, p_SoundIcon());

  if (m_PauseScratch >= -1 && m_PauseScratch <= 1) {
    p_SetSize(2.5f);
    p_SetCol(255, 255, 100);
    if (m_PauseScratch == 0) {
      p_DrawImg(kImgIcons, c, p, kIconFocus);
    } else {
      p_DrawImg(kImgIcons, m_PauseScratch < 0 ? quitX : soundX, iconY, kIconFocus);
    }
  }
  p_SoundMark(soundX, iconY);

  if (resume != 0 && m_Clicked == 0) {
    m_Clicked = 1;
    p_PauseClose();
  }
  if (quit != 0 && m_Clicked == 0) {
    m_Clicked = 1;
    p_PauseQuit();
  }
  if (sound != 0 && m_Clicked == 0) {
    m_Clicked = 1;
    p_SwitchSound();
    p_PlaySFX(kSfxClick, 1, 0.5f, 0);
  }

  // Keys move the focus between the three buttons and press the focused one.
  if (m_BackLatch == 0) {
    if (m_PauseScratch == 0) {
      if (p_PlayKey(kKeyAction)) {
        m_BackLatch = 1;
        p_PauseClose();
      } else if (p_PlayKey(kKeyLeft) || p_PlayKey(kKeyUp)) {
        m_BackLatch = 1;
        m_PauseScratch = -1;
        p_PlaySFX(kSfxClick, 0.8f, 0.5f, 0);
      } else if (p_PlayKey(kKeyRight)) {
        m_BackLatch = 1;
        m_PauseScratch = 1;
        p_PlaySFX(kSfxClick, 1.2f, 0.5f, 0);
      }
    } else if (m_PauseScratch == -1) {
      if (p_PlayKey(kKeyAction)) {
        m_BackLatch = 1;
        m_Clicked = 1;
        p_PauseQuit();
      } else if (p_PlayKey(kKeyRight) || p_PlayKey(kKeyDown)) {
        m_BackLatch = 1;
        m_PauseScratch = 0;
        p_PlaySFX(kSfxClick, 0.8f, 0.5f, 0);
      }
    } else if (m_PauseScratch == 1) {
      if (p_PlayKey(kKeyAction)) {
        m_BackLatch = 1;
        m_Settings[kSettingSound] = (m_Settings[kSettingSound] + 1) % 4;
        p_PlaySFX(kSfxClick, 1, 0.5f, 0);
      } else if (p_PlayKey(kKeyLeft) || p_PlayKey(kKeyDown)) {
        m_BackLatch = 1;
        m_PauseScratch = 0;
        p_PlaySFX(kSfxClick, 0.8f, 0.5f, 0);
      }
    }
  }
  if (m_BackLatch == 0 && p_PlayKey(kKeyBack)) {
    m_BackLatch = 1;
    m_Paused = 1;
    p_PauseClose();
  }
  return 0;
}
