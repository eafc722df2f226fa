// The credits box on the title menu: a framed grid of tiles that flies in,
// the credit text scrolling endlessly, four corner dials, closed by a press;
// and the credit text itself, set once when the program starts.
#include <cstdio>
#include <cstdlib>

#include "game/my_app.h"
#include "graphics/graphics.h"

namespace {

// A colour channel from a ramp value: truncated and held to 0..255. A ramp
// over too few tiles divides by zero; its NaN reads as 0 instead of an
// undefined conversion.
int RampChannel(float value) {
  if (!(value > 0)) return 0;
  if (value >= 255) return 255;
  return static_cast<int>(value);
}

float Clamp01(float value) {
  if (value < 0) return 0;
  if (value > 1) return 1;
  return value;
}

// A dial's number: one space, then the decimal value, in one allocation.
String SpacedNumber(int value) {
  char text[16];
  std::snprintf(text, sizeof text, " %d", value);
  return String(text);
}

// Offset of a tile from its place while opening: the tile's distance from
// the centre column or row, never 0, so that no tile stays put.
int Spread(int index, int count) {
  int d = index - count / 2;
  if (d <= 0) d -= 1;
  return d * std::abs(d);
}

}  // namespace

Array<String> c_MyApp::m_CreditText() {
  static const char* const kLines[] = {
      "",
      "A Game by",
      "@zukogames",
      "zukogames.net",
      "",
      "-=-=-",
      "",
      "Developed using",
      "Quibbo",
      "quibbo.zukogames.net",
      "",
      "-=-=-",
      "",
      "Graphics",
      "",
      "Most graphics by",
      "zukogames",
      "",
      "Font : DejaVu Sans Mono Bold",
      "by the DejaVu fonts team",
      "Lowercase added by",
      "zukogames",
      "",
      "",
      "-=-=-",
      "",
      "Audio",
      "",
      "Sound and Music by",
      "zukogames",
      "KZ sequencer,",
      "sfxgen",
      "a text editor",
      "or whatever else",
      "was handy!",
      "",
      "",
      "-=-=-",
      "End",
  };
  const int count = static_cast<int>(sizeof kLines / sizeof kLines[0]);
  Array<String> text(count);
  for (int i = 0; i < count; ++i) text[i] = String(kLines[i]);
  return text;
}

// The box's grid this update: cells of a twelfth of the longer side, n by m
// of them centred on the screen, and how far the opening has come.
struct CreditLayout {
  float w, h;
  float cell;       // a grid cell's side
  float tile;       // a tile's side: grows to the cell's over the first 20 updates
  float left, top;  // the grid's top-left corner
  int n, m;         // the last column and row
  int k;            // updates of opening still to go: 30 when shut, 0 when open
  float alpha;
};

int c_MyApp::p_CreditBox() {
  CreditLayout at;
  at.w = vx_TumblastEndless_jscrw;
  at.h = vx_TumblastEndless_jscrh;
  const int f = m_CreditsFade;
  m_ParticleIndex = 30 - f;
  at.k = m_ParticleIndex;
  at.alpha = static_cast<float>(f) / 30.0f;
  at.cell = at.w / 12.0f;
  if (at.h / 12.0f > at.cell) at.cell = at.h / 12.0f;
  m_CreditsA = static_cast<int>(at.w / at.cell);
  m_CreditsB = static_cast<int>(at.h / at.cell);
  at.n = m_CreditsA;
  at.m = m_CreditsB;
  m_BoardLeft = at.w / 2.0f - at.cell * static_cast<float>(at.n) / 2.0f;
  m_BoardTop = at.h / 2.0f - at.cell * static_cast<float>(at.m) / 2.0f;
  at.left = m_BoardLeft;
  at.top = m_BoardTop;
  at.tile = f >= 20 ? at.cell : static_cast<float>(f) / 20.0f * at.cell;

  p_ResetDraw();
  p_Alpha(at.alpha);
  for (m_X = 0; m_X <= at.n; ++m_X) {
    for (m_Y = 0; m_Y <= at.m; ++m_Y) p_CreditTile(at, m_X, m_Y);
  }
  const float middleY = at.h / 2.0f - static_cast<float>(24 * at.k);
  p_CreditText(at, middleY);
  p_CreditDials(at);

  // A press anywhere closes the box and is used up.
  if (m_MouseDown > 0 && m_Clicked == 0) {
    m_Clicked = 1;
    m_ShowCredits = 0;
    p_PlaySFX(kSfxCredits, 1, 1, 0);
  }
  return 0;
}

// One tile of the grid: white inside with a grey inset, black on the frame
// with a colour ramp; corners are bare.
void c_MyApp::p_CreditTile(const CreditLayout& at, int x, int y) {
  const int n = at.n, m = at.m;
  const float s = at.tile;
  m_CellX = at.left + at.cell * static_cast<float>(x) + static_cast<float>(at.k * Spread(x, n)) - s / 2.0f;
  m_CellY = at.top + at.cell * static_cast<float>(y) + static_cast<float>(at.k * Spread(y, m)) - s / 2.0f;
  const float cx = m_CellX, cy = m_CellY;
  const bool frame = x == 0 || y == 0 || x == n || y == m;
  if (frame) {
    p_SetCol(0, 0, 0);
  } else {
    p_SetCol(255, 255, 255);
  }
  p_Rect(cx, cy, s + 1.0f, s + 1.0f);
  if (!frame) {
    // The insets of the second-to-last row join into the button bar.
    p_SetCol(128, 128, 128);
    if (y == m - 1 && x > 3 && x < n - 3) {
      p_Rect(cx - 6.0f, cy + 2.0f, s + 24.0f, s - 4.0f);
    } else if (y == m - 1 && x == n - 3) {
      p_Rect(x > 3 ? cx - 6.0f : cx + 2.0f, cy + 2.0f, s + 4.0f, s - 4.0f);
    } else {
      p_Rect(cx + 2.0f, cy + 2.0f, s - 4.0f, s - 4.0f);
    }
    return;
  }
  if ((x == 0 || x == n) && (y == 0 || y == m)) return;
  const float vx = static_cast<float>((x - 1) * 512) / static_cast<float>(n - 2);
  const float vy = static_cast<float>((y - 1) * 512) / static_cast<float>(m - 2);
  if (y == 0) {
    p_SetCol(RampChannel(vx), RampChannel(512.0f - vx), 0);
    p_Rect(cx + 8.0f, cy, s - 16.0f, s);
  } else if (y == m) {
    const float grey = RampChannel(static_cast<float>(255 * (x - 1)) / static_cast<float>(n - 2));
    p_SetCol(grey, grey, grey);
    p_Rect(cx + 8.0f, cy, s - 16.0f, s);
  } else if (x == 0) {
    p_SetCol(0, RampChannel(512.0f - vy), RampChannel(vy));
    p_Rect(cx, cy + 8.0f, s, s - 16.0f);
  } else {
    p_SetCol(RampChannel(512.0f - vy), 0, RampChannel(vy));
    p_Rect(cx, cy + 8.0f, s, s - 16.0f);
  }
}

// The header image sliding down into place, the scrolling text over it,
// and the title logo on the button bar.
void c_MyApp::p_CreditText(const CreditLayout& at, float middleY) {
  p_Alpha(at.alpha);
  p_SetSize(1);
  p_SetCol(255, 255, 255);
  p_DrawImg(kImgTestcard, at.w / 2.0f, middleY, 0);

  // The text moves up 0.3 units per update and advances a line every 16.
  m_CreditsScroll -= 0.3f;
  if (m_CreditsScroll < -16.0f) {
    m_CreditsScroll += 16.0f;
    m_CreditsLine += 1;
  }
  // The last line never shows: the scroll wraps before it.
  const int shown = vx_TumblastEndless_CreditText.Length() - 1;
  if (shown > 0) {
    for (int i = -3; i <= 4; ++i) {
      int line = (i + m_CreditsLine) % shown;
      if (line < 0) line += shown;
      const float offset = m_CreditsScroll + static_cast<float>(16 * i);
      const float lineAlpha = 1.0f - Clamp01(std::abs(offset) / 40.0f - 0.3f);
      p_SetCol(255, 255, 255, lineAlpha);
      p_Text(at.w / 2.0f + 24.0f, middleY + offset, vx_TumblastEndless_CreditText[line], 0.8f, 0.8f);
    }
  }

  p_Alpha(at.alpha);
  p_SetCol(255, 255, 255);
  p_SetSize(0.4f);
  p_DrawImg(kImgTitleLogo, at.w / 2.0f, at.top + at.cell * static_cast<float>(at.m - 1) + static_cast<float>(4 * at.k),
            0);
  p_ResetDraw();
  p_Alpha(at.alpha);
}

// Four dials sliding in diagonally from outside the corners: the window's
// size and update rate, the screen's size and render rate, a button and
// the studio logo.
void c_MyApp::p_CreditDials(const CreditLayout& at) {
  const float c = at.cell, s = at.tile;
  const float nearX = at.left + 1.5f * c - static_cast<float>(6 * at.k);
  const float farX = at.left + (static_cast<float>(at.n) - 1.5f) * c + static_cast<float>(6 * at.k);
  const float upperY = at.top + 1.5f * c - static_cast<float>(3 * at.k);
  const float lowerY = at.top + (static_cast<float>(at.m) - 1.5f) * c + static_cast<float>(3 * at.k);

  p_CreditDial(nearX, upperY, s);
  p_Text(nearX, upperY - 16.0f, SpacedNumber(vx_graphics_DeviceWidth()), 0.8f, 0.8f);
  p_Text(nearX, upperY, SpacedNumber(vx_graphics_DeviceHeight()), 0.8f, 0.8f);
  p_Text(nearX, upperY + 16.0f, SpacedNumber(m_UpdateFpsAvg), 0.8f, 0.8f);

  p_CreditDial(farX, upperY, s);
  p_Text(farX, upperY - 16.0f, SpacedNumber(static_cast<int>(at.w)), 0.8f, 0.8f);
  p_Text(farX, upperY, SpacedNumber(static_cast<int>(at.h)), 0.8f, 0.8f);
  p_Text(farX, upperY + 16.0f, SpacedNumber(m_RenderFpsAvg), 0.8f, 0.8f);

  p_CreditDial(nearX, lowerY, s);
  p_SetSize(1);
  p_DrawImg(kImgButtons, nearX, lowerY, 12);

  p_CreditDial(farX, lowerY, s);
  p_SetSize(0.3f);
  p_DrawImg(kImgStudioLogo, farX, lowerY, 0);
}

void c_MyApp::p_CreditDial(float x, float y, float radius) {
  p_SetCol(255, 255, 255);
  p_Oval(x, y, radius, radius);
  p_SetCol(128, 128, 128);
  p_Oval(x, y, radius - 3.0f, radius - 3.0f);
  p_SetCol(255, 255, 255);
}
