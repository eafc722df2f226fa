// The pen-like drawing helpers that record a frame as a list of 15-float
// commands in virtual units, the button hit tests, and the replay of that
// list through the graphics module at render time.
#include <cmath>

#include "game/my_app.h"
#include "graphics/angles.h"
#include "graphics/graphics.h"

namespace {

const int kAdditiveBlend = 3;

}  // namespace

int c_MyApp::p_ResetDraw() {
  m_DrawSizeX = 1;
  m_DrawSizeY = 1;
  m_DrawRot = 0;
  m_DrawRed = 255;
  m_DrawGreen = 255;
  m_DrawBlue = 255;
  m_DrawAlpha = 1;
  m_DrawBlend = 1;
  return 0;
}

int c_MyApp::p_CLS2D(float r, float g, float b, float a) {
  if (r > kOmitted) {
    m_ClsRed = r;
    m_ClsGreen = g;
    m_ClsBlue = b;
    m_ClsAlpha = a;
  }
  p_ResetDraw();
  m_DrawCount = 0;
  return 0;
}

int c_MyApp::p_SetCol(float r, float g, float b, float a) {
  m_DrawRed = r;
  m_DrawGreen = g;
  m_DrawBlue = b;
  if (a > kOmitted) m_DrawAlpha = a;
  return 0;
}

int c_MyApp::p_Alpha(float alpha) {
  m_DrawAlpha = alpha;
  return 0;
}

int c_MyApp::p_SetRot(float degrees) {
  m_DrawRot = -degrees;
  return 0;
}

int c_MyApp::p_SetSize(float x, float y) {
  m_DrawSizeX = x;
  m_DrawSizeY = y > kOmitted ? y : x;
  return 0;
}

void c_MyApp::p_AddCommand(float kind, float x, float y, float w, float h, float frame) {
  if (m_DrawCount > kDrawListLimit) return;
  float* command = m_DrawList.Data() + m_DrawCount;
  command[kCommandKind] = kind;
  command[kCommandX] = x;
  command[kCommandY] = y;
  command[kCommandRot] = m_DrawRot;
  command[kCommandW] = w;
  command[kCommandH] = h;
  command[kCommandFrame] = frame;
  command[kCommandAlpha] = m_DrawAlpha;
  command[kCommandRed] = m_DrawRed;
  command[kCommandGreen] = m_DrawGreen;
  command[kCommandBlue] = m_DrawBlue;
  command[kCommandBlend] = static_cast<float>(m_DrawBlend);
  m_DrawCount += kCommandFloats;
}

int c_MyApp::p_Rect(float x, float y, float w, float h) {
  p_AddCommand(kRectCommand, x, y, w, h, 0);
  return 0;
}

int c_MyApp::p_Oval(float x, float y, float xRadius, float yRadius) {
  p_AddCommand(kOvalCommand, x, y, xRadius, yRadius, 0);
  return 0;
}

int c_MyApp::p_DrawImg(int id, float x, float y, float frame) {
  p_AddCommand(static_cast<float>(id), x, y, m_DrawSizeX, m_DrawSizeY, frame);
  return 0;
}

int c_MyApp::p_Text(float x, float y, String text, float align, float lines) {
  int font = m_CurrentFont;
  float advance = m_ImageInfo[3 * font] * m_DrawSizeX;
  float lineHeight = m_ImageInfo[3 * font + 1] * m_DrawSizeY;
  // The writing direction follows the pen's rotation, so turned text reads
  // along its line.
  float cosine = DegCos(-m_DrawRot);
  float sine = DegSin(-m_DrawRot);
  float ux = cosine, uy = sine;
  float vx = -sine, vy = cosine;
  int n = text.Length();

  float along = advance * static_cast<float>(n - 1) * align * 0.5f;
  float across = lineHeight * (lines - 1) * 0.5f;
  float ox = x - ux * along - vx * across;
  float oy = y - uy * along - vy * across;

  float px = ox, py = oy;
  int line = 0;
  for (int i = 0; i < n; ++i) {
    int c = text[i];
    if (c == '\\' && i + 1 < n && text[i + 1] == 'n') {
      line += 1;
      float down = lineHeight * static_cast<float>(line);
      px = ox + vx * down;
      py = oy + vy * down;
      i += 1;
      continue;
    }
    if (c == 0) continue;
    // A backslash that starts no line break draws its own glyph.
    if (c >= 33 && c <= 159) p_DrawImg(font, px, py, static_cast<float>(c - 32));
    px += ux * advance;
    py += uy * advance;
  }
  return 0;
}

int c_MyApp::p_DoBG() {
  m_BgTargetRed = 60;
  m_BgTargetGreen = 60;
  m_BgTargetBlue = 60;
  p_ResetDraw();
  // Flashes set by game events fade back to the target.
  m_BgRed -= (m_BgRed - m_BgTargetRed) / 120;
  m_BgGreen -= (m_BgGreen - m_BgTargetGreen) / 120;
  m_BgBlue -= (m_BgBlue - m_BgTargetBlue) / 120;
  p_SetCol(m_BgRed, m_BgGreen, m_BgBlue, 1);
  p_Rect(-1, -1, vx_TumblastEndless_jscrw + 2, vx_TumblastEndless_jscrh + 2);
  p_SetCol(255, 255, 255, 0.2f);
  m_BgSpin += 0.01f;
  p_SetRot(m_BgSpin);
  p_SetSize(3);
  p_DrawImg(kImgBackground, vx_TumblastEndless_jscrw * 0.5f, vx_TumblastEndless_jscrh * 0.5f, 0);
  p_ResetDraw();
  return 0;
}

bool c_MyApp::p_TouchOnImage(int id, float x, float y, int slot) {
  float halfWidth = m_ImageInfo[3 * id] * m_HdScale * m_DrawSizeX * 0.5f;
  float halfHeight = m_ImageInfo[3 * id + 1] * m_HdScale * m_DrawSizeY * 0.5f;
  float tx = static_cast<float>(m_TouchX[slot]);
  float ty = static_cast<float>(m_TouchY[slot]);
  return x - halfWidth < tx && tx < x + halfWidth && y - halfHeight < ty && ty < y + halfHeight &&
         m_MouseDown > 0;
}

int c_MyApp::p_Button(int id, float x, float y, int frame) {
  p_DrawImg(id, x, y, static_cast<float>(frame));
  int result = 0;
  for (m_I = 0; m_I < kTouchSlots; ++m_I) {
    if (p_TouchOnImage(id, x, y, m_I)) result = 1;
  }
  return result;
}

bool c_MyApp::p_Button0(int id, float x, float y, int frame) {
  p_DrawImg(id, x, y, static_cast<float>(frame));
  m_I = 0;
  return p_TouchOnImage(id, x, y, m_I);
}

bool c_MyApp::p_MouseIn_Centered(float x, float y, float w, float h) {
  // The snapshot sets m_MouseDown whenever a slot is held; the board asks
  // this of every cell, mostly with nothing held.
  if (m_MouseDown == 0) return false;
  float halfWidth = w / 2;
  float halfHeight = h / 2;
  for (int i = 0; i < kTouchSlots; ++i) {
    if (m_TouchDown[i] == 0) continue;
    float tx = static_cast<float>(m_TouchX[i]);
    float ty = static_cast<float>(m_TouchY[i]);
    if (x - halfWidth < tx && tx < x + halfWidth && y - halfHeight < ty && ty < y + halfHeight) return true;
  }
  return false;
}

void c_MyApp::p_FitVirtualScreen(int width, int height) {
  // An iconified or collapsed window has no size to fit; the last fit stays,
  // so pointer positions never get divided by zero.
  if (width <= 0 || height <= 0) return;
  float sx = width / vx_TumblastEndless_rawscrw;
  float sy = height / vx_TumblastEndless_rawscrh;
  float s;
  if (sx >= sy) {
    s = sx;
    m_ScaleMode = 1;
  } else {
    s = sy;
    m_ScaleMode = 2;
  }
  m_ScaleX = s;
  m_ScaleY = s;
  vx_TumblastEndless_jscrw = width / s;
  vx_TumblastEndless_jscrh = height / s;
  m_Landscape = vx_TumblastEndless_jscrw >= vx_TumblastEndless_jscrh ? 1 : 0;
}

void c_MyApp::p_ReplayDrawList() {
  float s = m_ScaleX;
  const float* list = m_DrawList.Data();
  for (int start = 0; start < m_DrawCount - (kCommandFloats - 1); start += kCommandFloats) {
    const float* command = list + start;
    vx_graphics_SetAlpha(command[kCommandAlpha]);
    vx_graphics_SetColor(command[kCommandRed], command[kCommandGreen], command[kCommandBlue]);
    // The device ends its batch at every blend call, so only a change of
    // blend reaches it: the frame looks the same and keeps its batches.
    int blend = command[kCommandBlend] == kAdditiveBlend ? 1 : 0;
    if (blend != vx_graphics_context->blend) vx_graphics_SetBlend(blend);

    float kind = command[kCommandKind];
    if (kind == kRectCommand) {
      vx_graphics_DrawRect(s * command[kCommandX], s * command[kCommandY], s * command[kCommandW],
                           s * command[kCommandH]);
    } else if (kind == kOvalCommand) {
      // Through the module, so the matrix an image left behind is reset first.
      vx_graphics_DrawEllipse(s * command[kCommandX], s * command[kCommandY], s * command[kCommandW],
                              s * command[kCommandH]);
    } else {
      int id = static_cast<int>(kind);
      c_Image* image = id >= 0 && id < m_Images.Length() ? m_Images[id] : nullptr;
      if (!image) continue;
      vx_graphics_DrawImage2(image, s * command[kCommandX], s * command[kCommandY], command[kCommandRot],
                             s * command[kCommandW] * m_HdScale, s * command[kCommandH] * m_HdScale,
                             static_cast<int>(command[kCommandFrame]));
    }
  }
}
