// The menu screens: the title menu, the click-to-start screen with the
// loading spinner, and the pause overlay. Each is redrawn every update and
// acts on the presses its buttons report while being drawn.
#include <cstdio>

#include "framework/app.h"
#include "framework/maths.h"
#include "game/my_app.h"
#include "graphics/angles.h"

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

void c_MyApp::p_PressSoundSwitch() {
  m_Clicked = 1;
  p_SwitchSound();
  p_PlaySFX(kSfxClick, 1, 0.5f, 0);
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
  p_CLS2D(0, 0, 80, 1);
  if (m_MenuSlide < 0) m_MenuSlide = static_cast<int>(static_cast<float>(m_MenuSlide) + 0.25f);
  const float slide = static_cast<float>(m_MenuSlide);
  const bool boxOpen = m_ShowCredits == 1 || m_ShowBadges == 1;

  p_DoBG();
  p_SetSize(1);
  p_DrawImg(kImgTitleLogo, vx_TumblastEndless_jscrw * 0.4f, vx_TumblastEndless_jscrh * 0.2f + slide * 12, 0);
  p_SetCol(0, 0, 0, 0.4f);
  p_Rect(p_MenuPanelX(), 0, 140, vx_TumblastEndless_jscrh);
  p_ResetDraw();

  p_MenuSoundSwitch(slide);
  p_BadgeButton();
  p_MenuScores(boxOpen);
  p_MenuDifficulties(slide, boxOpen);
  p_MenuKeys(boxOpen);
  p_MenuStudioLogo(slide, boxOpen);
  return 0;
}

float c_MyApp::p_MenuPanelX() {
  return vx_TumblastEndless_jscrw - 140 - static_cast<float>(m_MenuSlide) * 4;
}

// Beside the screen's middle: on the left edge in landscape, at the top in
// portrait. The badge button sits one switch further: below it, or left of it.
void c_MyApp::p_MenuSwitchPlace(float slide, int place, float* x, float* y) {
  if (m_Landscape == 1) {
    *x = slide * 4 + 32;
    *y = static_cast<float>(static_cast<int>(vx_TumblastEndless_jscrh * 0.5f) + 64 * place);
  } else {
    *x = static_cast<float>(static_cast<int>(vx_TumblastEndless_jscrw * 0.5f) - 64 * place);
    *y = slide * 4 + 32;
  }
}

void c_MyApp::p_MenuSoundSwitch(float slide) {
  p_SetSize(2);
  p_SetCol(50, 250, 50, 1);
  float x, y;
  p_MenuSwitchPlace(slide, 0, &x, &y);
  if (p_Button(kImgIcons, x, y, p_SoundIcon()) != 0 && m_Clicked == 0) p_PressSoundSwitch();
  p_SoundMark(x, y);
}

// Best and last scores of the chosen difficulty, as many rows as fit.
void c_MyApp::p_MenuScores(bool boxOpen) {
  static const String kTop("Top "), kHighscore("Highscore"), kLast("Last "), kLastOne("Last");
  const float h = vx_TumblastEndless_jscrh, x = p_MenuPanelX() + 20;
  p_SetCol(255, 200, 100, 1);
  p_SetSize(1.5f);
  const int lineHeight = static_cast<int>(static_cast<float>(m_ImageInfo[3 * m_CurrentFont + 1]) * 1.5f);
  const int space = static_cast<int>(h - 90 - h * 0.5f);
  // Guarded only so a font without a line height cannot divide by zero.
  int rows = lineHeight != 0 ? space / lineHeight : 1;
  if (rows < 1) rows = 1;
  if (rows > kTableEntries) rows = kTableEntries;
  const int first = p_BestScores(m_Difficulty);
  // An open box hides the panels; a difficulty without a table has none.
  const bool shown = !boxOpen && first >= 0;
  if (shown) p_Text(x, 60, p_ScorePanel(kTop, kHighscore, rows, first), 0, 0);
  p_SetCol(200, 255, 100);
  p_SetSize(1.5f);
  if (shown) p_Text(x, h * 0.5f + 20, p_ScorePanel(kLast, kLastOne, rows, first + kLastScores), 0, 0);
}

// The three difficulty buttons, the chosen one marked; each starts a game.
void c_MyApp::p_MenuDifficulties(float slide, bool boxOpen) {
  const float w = vx_TumblastEndless_jscrw, h = vx_TumblastEndless_jscrh;
  p_ResetDraw();
  p_SetSize(1.5f);
  p_Alpha(1);
  for (int k = 1; k <= kDifficulties; ++k) {
    float x, y;
    if (m_Landscape == 1) {
      x = w * (k == 1 ? 0.2f : k == 2 ? 0.4f : 0.6f);
      y = h * 0.7f - slide * (k == 1 ? 8 : k == 2 ? 12 : 10);
    } else {
      x = k == 1 ? w * 0.3f - slide * 8 : k == 2 ? w * 0.3f : w * 0.3f + slide * 8;
      y = k == 1 ? h * 0.45f : k == 2 ? h * 0.65f - slide * 12 : h * 0.85f;
    }
    int pressed = p_Button(kImgButtons, x, y, k - 1);
    if (m_Difficulty == k) {
      p_Alpha(0.75f);
      p_DrawImg(kImgButtons, x, y, kButtonSelected);
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
}

// Keys: one action per press; the screen flow releases the latch.
void c_MyApp::p_MenuKeys(bool boxOpen) {
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
}

// The studio logo in the corner opens the credits.
void c_MyApp::p_MenuStudioLogo(float slide, bool boxOpen) {
  p_ResetDraw();
  p_SetSize(0.5f);
  if (p_Button(kImgStudioLogo, vx_TumblastEndless_jscrw - 70, vx_TumblastEndless_jscrh - 40 - slide * 4, 0) != 0 &&
      m_Clicked == 0 && !boxOpen) {
    m_Clicked = 1;
    p_PlaySFX(kSfxCredits, 1, 1, 0);
    m_ShowCredits = 1;
  }
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

// Where the pause overlay's panel and icons sit in this update.
struct PauseLayout {
  float centre, slide;
  bool landscape;
  float quitX, soundX, iconY;
};

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
  p_PauseSlideStep();

  PauseLayout at;
  at.centre = w * 0.5f;
  at.slide = static_cast<float>(m_PauseSlide);
  at.landscape = m_Landscape == 1;
  const float side = at.landscape ? 140.0f : 96.0f, rise = at.landscape ? 64.0f : 96.0f;
  at.quitX = at.centre - side;
  at.soundX = at.centre + side;
  at.iconY = at.slide - rise;
  p_PausePanel(at);
  p_PauseButtons(at);
  p_PauseKeys();
  return 0;
}

// Opening slides the panel down to the middle; closing slides it up and
// resumes once it is out of sight.
void c_MyApp::p_PauseSlideStep() {
  if (m_PauseState == 1 && static_cast<float>(m_PauseSlide) < vx_TumblastEndless_jscrh * 0.5f) {
    m_PauseSlide += 24;
  } else if (m_PauseState == -1) {
    if (m_PauseSlide < -63) {
      m_Paused = 0;
    } else {
      m_PauseSlide -= 24;
      if (m_PauseSlide < -32) m_Paused = 0;
    }
  }
}

// Top strip, body and bottom strip.
void c_MyApp::p_PausePanel(const PauseLayout& at) {
  const float c = at.centre, p = at.slide;
  p_ResetDraw();
  p_SetCol(255, 255, 10, 0.6f);
  if (at.landscape) p_Rect(c - 128, p - 64, 256, 8); else p_Rect(c - 96, p - 92, 192, 8);
  p_SetCol(255, 150, 10, 0.7f);
  if (at.landscape) p_Rect(c - 140, p - 52, 280, 104); else p_Rect(c - 128, p - 80, 256, 160);
  p_SetCol(10, 150, 255, 0.6f);
  if (at.landscape) p_Rect(c - 128, p + 56, 256, 8); else p_Rect(c - 96, p + 84, 192, 8);
}

// The three icon buttons, which keep the alpha of the panel's last strip,
// the keys' focus ring and the music mark; then the presses they report.
void c_MyApp::p_PauseButtons(const PauseLayout& at) {
  p_SetSize(2);
  p_SetCol(255, 50, 50);
  const int quit = p_Button(kImgIcons, at.quitX, at.iconY, kIconQuit);
  p_SetCol(50, 50, 250);
  const int resume = p_Button(kImgIcons, at.centre, at.slide, kIconResume);
  p_SetCol(50, 250, 50);
  const int sound = p_Button(kImgIcons, at.soundX, at.iconY, p_SoundIcon());

  if (m_PauseScratch >= -1 && m_PauseScratch <= 1) {
    p_SetSize(2.5f);
    p_SetCol(255, 255, 100);
    if (m_PauseScratch == 0) {
      p_DrawImg(kImgIcons, at.centre, at.slide, kIconFocus);
    } else {
      p_DrawImg(kImgIcons, m_PauseScratch < 0 ? at.quitX : at.soundX, at.iconY, kIconFocus);
    }
  }
  p_SoundMark(at.soundX, at.iconY);

  if (resume != 0 && m_Clicked == 0) {
    m_Clicked = 1;
    p_PauseClose();
  }
  if (quit != 0 && m_Clicked == 0) {
    m_Clicked = 1;
    p_PauseQuit();
  }
  if (sound != 0 && m_Clicked == 0) p_PressSoundSwitch();
}

// Keys move the focus between quit (-1), resume (0) and sound (1) and press
// the focused one; back closes from any focus.
void c_MyApp::p_PauseKeys() {
  if (m_BackLatch == 0) {
    const bool action = p_PlayKey(kKeyAction);
    if (m_PauseScratch == 0) {
      if (action) {
        m_BackLatch = 1;
        p_PauseClose();
      } else if (p_PlayKey(kKeyLeft) || p_PlayKey(kKeyUp)) {
        p_PauseFocus(-1, 0.8f);
      } else if (p_PlayKey(kKeyRight)) {
        p_PauseFocus(1, 1.2f);
      }
    } else if (m_PauseScratch == -1) {
      if (action) {
        m_BackLatch = 1;
        m_Clicked = 1;
        p_PauseQuit();
      } else if (p_PlayKey(kKeyRight) || p_PlayKey(kKeyDown)) {
        p_PauseFocus(0, 0.8f);
      }
    } else if (m_PauseScratch == 1) {
      if (action) {
        m_BackLatch = 1;
        p_SwitchSound();
        p_PlaySFX(kSfxClick, 1, 0.5f, 0);
      } else if (p_PlayKey(kKeyLeft) || p_PlayKey(kKeyDown)) {
        p_PauseFocus(0, 0.8f);
      }
    }
  }
  if (m_BackLatch == 0 && p_PlayKey(kKeyBack)) {
    m_BackLatch = 1;
    m_Paused = 1;
    p_PauseClose();
  }
}

void c_MyApp::p_PauseFocus(int focus, float rate) {
  m_BackLatch = 1;
  m_PauseScratch = focus;
  p_PlaySFX(kSfxClick, rate, 0.5f, 0);
}
