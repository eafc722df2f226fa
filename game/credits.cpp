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

int c_MyApp::p_CreditBox() {
  const float w = vx_TumblastEndless_jscrw, h = vx_TumblastEndless_jscrh;
  const int f = m_CreditsFade;
  m_ParticleIndex = 30 - f;
  const int k = m_ParticleIndex;
  const float alpha = static_cast<float>(f) / 30.0f;

  // Layout: square cells of a twelfth of the longer side, centred.
  float c = w / 12.0f;
  if (h / 12.0f > c) c = h / 12.0f;
  m_CreditsA = static_cast<int>(w / c);
  m_CreditsB = static_cast<int>(h / c);
  const int n = m_CreditsA, m = m_CreditsB;
  m_BoardLeft = w / 2.0f - c * static_cast<float>(n) / 2.0f;
  m_BoardTop = h / 2.0f - c * static_cast<float>(m) / 2.0f;
  const float left = m_BoardLeft, top = m_BoardTop;
  const float s = f >= 20 ? c : static_cast<float>(f) / 20.0f * c;

  p_ResetDraw();
  p_Alpha(alpha);
  for (m_X = 0; m_X <= n; ++m_X) {
    for (m_Y = 0; m_Y <= m; ++m_Y) {
      const int x = m_X, y = m_Y;
      m_CellX = left + c * static_cast<float>(x) + static_cast<float>(k * Spread(x, n)) - s / 2.0f;
      m_CellY = top + c * static_cast<float>(y) + static_cast<float>(k * Spread(y, m)) - s / 2.0f;
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
        continue;
      }
      const bool corner = (x == 0 || x == n) && (y == 0 || y == m);
      if (corner) continue;
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
  }

  // Header image, sliding down into place.
  const float middleY = h / 2.0f - static_cast<float>(24 * k);
  p_Alpha(alpha);
  p_SetSize(1);
  p_SetCol(255, 255, 255);
  p_DrawImg(kImgTestcard, w / 2.0f, middleY, 0);

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
      p_Text(w / 2.0f + 24.0f, middleY + offset, vx_TumblastEndless_CreditText[line], 0.8f, 0.8f);
    }
  }

  // The button on the bar of joined insets.
  p_Alpha(alpha);
  p_SetCol(255, 255, 255);
  p_SetSize(0.4f);
  p_DrawImg(kImgTitleLogo, w / 2.0f, top + c * static_cast<float>(m - 1) + static_cast<float>(4 * k), 0);
  p_ResetDraw();
  p_Alpha(alpha);

  // Dials, sliding in diagonally from outside the corners.
  const float nearX = left + 1.5f * c - static_cast<float>(6 * k);
  const float farX = left + (static_cast<float>(n) - 1.5f) * c + static_cast<float>(6 * k);
  const float upperY = top + 1.5f * c - static_cast<float>(3 * k);
  const float lowerY = top + (static_cast<float>(m) - 1.5f) * c + static_cast<float>(3 * k);

  p_CreditDial(nearX, upperY, s);
  p_Text(nearX, upperY - 16.0f, SpacedNumber(vx_graphics_DeviceWidth()), 0.8f, 0.8f);
  p_Text(nearX, upperY, SpacedNumber(vx_graphics_DeviceHeight()), 0.8f, 0.8f);
  p_Text(nearX, upperY + 16.0f, SpacedNumber(m_UpdateFpsAvg), 0.8f, 0.8f);

  p_CreditDial(farX, upperY, s);
  p_Text(farX, upperY - 16.0f, SpacedNumber(static_cast<int>(w)), 0.8f, 0.8f);
  p_Text(farX, upperY, SpacedNumber(static_cast<int>(h)), 0.8f, 0.8f);
  p_Text(farX, upperY + 16.0f, SpacedNumber(m_RenderFpsAvg), 0.8f, 0.8f);

  p_CreditDial(nearX, lowerY, s);
  p_SetSize(1);
  p_DrawImg(kImgButtons, nearX, lowerY, 12);

  p_CreditDial(farX, lowerY, s);
  p_SetSize(0.3f);
  p_DrawImg(kImgStudioLogo, farX, lowerY, 0);

  // A press anywhere closes the box and is used up.
  if (m_MouseDown > 0 && m_Clicked == 0) {
    m_Clicked = 1;
    m_ShowCredits = 0;
    p_PlaySFX(kSfxCredits, 1, 1, 0);
  }
  return 0;
}

void c_MyApp::p_CreditDial(float x, float y, float radius) {
  p_SetCol(255, 255, 255);
  p_Oval(x, y, radius, radius);
  p_SetCol(128, 128, 128);
  p_Oval(x, y, radius - 3.0f, radius - 3.0f);
  p_SetCol(255, 255, 255);
}
