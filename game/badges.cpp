// Badges: their texts, the slide-in pop-ups that announce them, the title
// menu's badge button and the gallery box that shows every badge, earned in
// colour, the rest dimmed, with a detail panel for the one pressed.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/badge_set.h"
#include "game/my_app.h"

namespace {

const int kPopUpWidth = 160;
const int kPopUpUpdates = 240;
// Ids past the last frame of the badge icon sheet have no icon.
const int kLastIcon = 63;

const String& Separator() {
  static const String separator("|");
  return separator;
}

}  // namespace

namespace {

// "Name|Description" of every badge, and the names alone, made once so that
// announcing a badge every update copies no text.
struct BadgeTexts {
  String full[256];
  String name[256];
  BadgeTexts() {
    full[kBadgeTest] = String("Test Badge|This is a Test Badge which has no purpose.");
    name[kBadgeTest] = String("Test Badge");
    for (int i = 0; i < kBadgeSetCount; ++i) {
      const BadgeInfo& badge = kBadgeSet[i];
      full[badge.id] = String(badge.name) + Separator() + String(badge.description);
      name[badge.id] = String(badge.name);
    }
  }
};

const BadgeTexts& Texts() {
  static const BadgeTexts texts;
  return texts;
}

}  // namespace

String c_MyApp::p_BadgeID(int id) {
  if (id < 0 || id > 255) return String();
  return Texts().full[id];
}

String c_MyApp::p_BadgeName(int id) {
  if (id < 0 || id > 255) return String();
  return Texts().name[id];
}

String c_MyApp::p_BadgeDetail(int id) {
  Array<String> parts = p_BadgeID(id).Split(Separator());
  // A text without a separator has a name only.
  if (parts.Length() < 2) return String();
  return parts[1];
}

int c_MyApp::p_ShowBadges() {
  p_ResetDraw();
  for (int i = 0; i < kBadgePopUpSlots; ++i) {
    const int clock = m_BadgeQueueB[i];
    if (clock < 1) continue;
    m_BadgeQueueB[i] = clock + 1;
    // In over the first 10 updates, out over the last 10.
    int x = clock * 16 - kPopUpWidth;
    if (clock > kPopUpUpdates - kPopUpWidth / 16) x = (kPopUpUpdates - clock) * 16 - kPopUpWidth;
    if (x > 0) x = 0;
    const float y = vx_TumblastEndless_jscrh - static_cast<float>((i + 1) * 34);
    const int id = m_BadgeQueueA[i];
    p_SetCol(0, 0, 80, 0.8f);
    p_Rect(static_cast<float>(x), y, static_cast<float>(kPopUpWidth), 32);
    p_SetCol(255, 255, 255, 1);
    p_Text(static_cast<float>(x + 16), y + 4.0f, p_BadgeName(id), 0, 0);
    if (id <= kLastIcon) {
      p_SetSize(0.5f);
      p_DrawImg(kImgBadges, static_cast<float>(x + 144), y + 16.0f, static_cast<float>(id));
      p_SetSize(1);
    }
    if (clock + 1 > kPopUpUpdates) m_BadgeQueueB[i] = 0;
  }
  p_QueueWaitingBadges();
  return 0;
}

namespace {

// Gallery layout, in virtual units: the grid's cells, where the first row
// starts below the heading, and how far a press may move and still be a tap.
const float kCell = 60;
const float kGridTop = 64;
const float kGridBottom = 16;
const int kTapSlack = 8;

float Left(float w) { return w * 0.12f; }
float Inner(float w) { return w * 0.76f; }

int Columns(float w) {
  const int columns = static_cast<int>((Inner(w) - 16) / kCell);
  return columns < 1 ? 1 : columns;
}

int Rows(float w) { return (kBadgeSetCount + Columns(w) - 1) / Columns(w); }

// The centre of grid cell `index`, before scrolling.
float CellCentreX(float w, int index) {
  const float first = w * 0.5f - kCell * static_cast<float>(Columns(w)) * 0.5f;
  return first + kCell * (static_cast<float>(index % Columns(w)) + 0.5f);
}
float CellCentreY(float w, int index) { return kGridTop + kCell * (static_cast<float>(index / Columns(w)) + 0.5f); }

// How far the gallery scrolls: never above its top, never past its last row.
float ScrollLimit(float w, float h) {
  const float below = kGridTop + kCell * static_cast<float>(Rows(w)) + kGridBottom - h;
  return below > 0 ? -below : 0;
}

// The grid cell under a point of the screen, or -1.
int CellAt(float w, float scroll, float x, float y) {
  for (int i = 0; i < kBadgeSetCount; ++i) {
    const float dx = x - CellCentreX(w, i), dy = y - (CellCentreY(w, i) + scroll);
    if (dx > -kCell * 0.5f && dx < kCell * 0.5f && dy > -kCell * 0.5f && dy < kCell * 0.5f) return i;
  }
  return -1;
}

int GalleryIndex(int id) {
  for (int i = 0; i < kBadgeSetCount; ++i) {
    if (kBadgeSet[i].id == id) return i;
  }
  return -1;
}

// `text` broken at spaces into lines of at most `width` characters, joined
// by the two-character line break of p_Text.
String Wrapped(const char* text, int width) {
  char out[512];
  int length = 0, lineStart = 0;
  const int n = static_cast<int>(strlen(text));
  if (width < 8) width = 8;
  for (int i = 0; i < n && length < 500;) {
    int end = i;
    while (end < n && text[end] != ' ') ++end;
    const int word = end - i;
    if (length > lineStart && length - lineStart + 1 + word > width) {
      out[length++] = '\\';
      out[length++] = 'n';
      lineStart = length;
    } else if (length > lineStart) {
      out[length++] = ' ';
    }
    for (int j = 0; j < word && length < 500; ++j) out[length++] = text[i + j];
    i = end + 1;
  }
  out[length] = 0;
  return String(out);
}

}  // namespace

void c_MyApp::p_BadgeButton() {
  float x, y;
  p_MenuSwitchPlace(static_cast<float>(m_MenuSlide), 1, &x, &y);
  p_SetSize(2);
  p_SetCol(255, 210, 60, 1);
  if (p_Button(kImgIcons, x, y, kIconBadges) != 0 && m_Clicked == 0 && m_ShowCredits == 0 &&
      m_ShowBadges == 0) {
    m_Clicked = 1;
    m_ShowBadges = 1;
    m_BadgeDetailId = -1;
    m_BadgeTap = 0;
    p_PlaySFX(kSfxCredits, 1, 1, 0);
  }
}

int c_MyApp::p_BadgesBox() {
  const float w = vx_TumblastEndless_jscrw, h = vx_TumblastEndless_jscrh;
  p_ResetDraw();
  p_SetCol(255, 125, 0, 0.8f);
  p_Rect(w * 0.1f, -1, w * 0.8f, h + 2.0f);
  p_SetCol(100, 0, 0, 0.8f);
  p_Rect(w * 0.12f, -1, w * 0.76f, h + 2.0f);

  // Dragging scrolls; the keys move the selection instead (p_BadgeKeys).
  if (m_MouseDown > 0 && static_cast<float>(m_MouseX) > w * 0.12f) {
    m_BadgeScrollNow += 1.5f * static_cast<float>(m_MouseY - m_MouseYOld);
  }
  const float limit = ScrollLimit(w, h);
  if (m_BadgeScrollNow < limit) m_BadgeScrollNow = limit;
  if (m_BadgeScrollNow > 0) m_BadgeScrollNow = 0;
  const float gap = m_BadgeScrollNow - m_BadgeScrollY;
  if (gap < 6 && gap > -6) {
    m_BadgeScrollY = m_BadgeScrollNow;
  } else {
    m_BadgeScrollY += gap / 6.0f;
  }

  p_BadgeGrid(m_BadgeScrollY);
  if (m_BadgeDetailId >= 0) p_BadgeDetailPanel();
  p_BadgePointer(m_BadgeScrollY);
  if (m_ShowBadges == 1) p_BadgeKeys();
  p_ResetDraw();
  return 0;
}

void c_MyApp::p_BadgeGrid(float scroll) {
  const float top = scroll;
  const float w = vx_TumblastEndless_jscrw;
  int earned = 0;
  for (int i = 0; i < kBadgeSetCount; ++i) earned += m_Badges[kBadgeSet[i].id] ? 1 : 0;
  char heading[48];
  snprintf(heading, sizeof heading, "Badges  %d / %d", earned, kBadgeSetCount);
  p_SetSize(2);
  p_SetCol(255, 220, 120, 1);
  p_Text(w * 0.5f, top + 30, String(heading), 1, 1);

  p_SetSize(0.75f);
  for (int i = 0; i < kBadgeSetCount; ++i) {
    const float x = CellCentreX(w, i), y = CellCentreY(w, i) + top;
    if (m_Badges[kBadgeSet[i].id]) {
      p_SetCol(255, 255, 255, 1);
    } else {
      p_SetCol(70, 70, 80, 0.6f);
    }
    p_DrawImg(kImgBadges, x, y, static_cast<float>(kBadgeSet[i].id));
  }
  if (m_BadgeCursor >= 0 && m_BadgeCursor < kBadgeSetCount) {
    p_SetSize(2.2f);
    p_SetCol(255, 255, 100, 1);
    p_DrawImg(kImgIcons, CellCentreX(w, m_BadgeCursor), CellCentreY(w, m_BadgeCursor) + top, kIconFocus);
  }
}

void c_MyApp::p_BadgeDetailPanel() {
  static const char* const kNotYet = "Not earned yet.";
  const float w = vx_TumblastEndless_jscrw, h = vx_TumblastEndless_jscrh;
  const int index = GalleryIndex(m_BadgeDetailId);
  if (index < 0) return;
  const BadgeInfo& badge = kBadgeSet[index];
  const bool earned = m_Badges[badge.id];
  const float left = Left(w), inner = Inner(w);
  // Landscape: the icon left of the text; portrait: above it.
  const bool wide = m_Landscape == 1;
  const float half = wide ? 100.0f : 170.0f;
  p_SetSize(1);
  p_SetCol(0, 0, 80, 0.92f);
  p_Rect(left, h * 0.5f - half, inner, 2 * half);

  float iconX, iconY, textX, nameY, width;
  if (wide) {
    iconX = left + 104;
    iconY = h * 0.5f;
    textX = left + 212;
    nameY = h * 0.5f - 70;
    width = inner - 220;
  } else {
    iconX = w * 0.5f;
    iconY = h * 0.5f - 66;
    textX = left + 12;
    nameY = h * 0.5f + 50;
    width = inner - 24;
  }
  p_SetSize(3);
  if (earned) {
    p_SetCol(255, 255, 255, 1);
  } else {
    p_SetCol(70, 70, 80, 0.6f);
  }
  p_DrawImg(kImgBadges, iconX, iconY, static_cast<float>(badge.id));
  p_SetSize(2);
  p_SetCol(255, 220, 120, 1);
  p_Text(textX, nameY, p_BadgeName(badge.id), 0, 0);
  p_SetSize(1.5f);
  p_SetCol(255, 255, 255, 1);
  const int perLine = static_cast<int>(width / (static_cast<float>(m_ImageInfo[3 * m_CurrentFont]) * 1.5f));
  p_Text(textX, nameY + 34, Wrapped(earned ? badge.description : kNotYet, perLine), 0, 0);
}

void c_MyApp::p_OpenBadgeDetail(int id) {
  m_BadgeDetailId = id;
  p_PlaySFX(kSfxClick, 1, 0.5f, 0);
}

void c_MyApp::p_BadgePointer(float scroll) {
  const float w = vx_TumblastEndless_jscrw;
  const int x = m_MouseX, y = m_MouseY;
  if (m_MouseDown > 0 && m_Clicked == 0) {
    m_Clicked = 1;
    // A press beside the box closes it, as the credits box closes.
    if (static_cast<float>(x) < w * 0.1f || static_cast<float>(x) > w * 0.9f) {
      m_ShowBadges = 0;
      m_BadgeDetailId = -1;
      m_BadgeTap = 0;
      p_PlaySFX(kSfxCredits, 1, 1, 0);
      return;
    }
    m_BadgeTap = 1;
    m_BadgePressX = x;
    m_BadgePressY = y;
  }
  if (m_BadgeTap == 0) return;
  if (m_MouseDown > 0) {
    // A press that moves is a drag, which scrolls.
    if (std::abs(x - m_BadgePressX) > kTapSlack || std::abs(y - m_BadgePressY) > kTapSlack) m_BadgeTap = 0;
    return;
  }
  m_BadgeTap = 0;
  if (m_BadgeDetailId >= 0) {
    m_BadgeDetailId = -1;
    p_PlaySFX(kSfxClick, 0.8f, 0.5f, 0);
    return;
  }
  const int cell =
      CellAt(w, scroll, static_cast<float>(m_BadgePressX), static_cast<float>(m_BadgePressY));
  if (cell < 0) return;
  m_BadgeCursor = cell;
  p_OpenBadgeDetail(kBadgeSet[cell].id);
}

void c_MyApp::p_BadgeKeys() {
  const float w = vx_TumblastEndless_jscrw, h = vx_TumblastEndless_jscrh;
  if (m_BackLatch != 0) return;
  const int columns = Columns(w);
  int step = 0;
  if (p_PlayKey(kKeyLeft)) step = -1;
  if (p_PlayKey(kKeyRight)) step = 1;
  if (p_PlayKey(kKeyUp)) step = -columns;
  if (p_PlayKey(kKeyDown)) step = columns;
  if (step != 0) {
    m_BackLatch = 1;
    const int next = m_BadgeCursor + step;
    if (next < 0 || next >= kBadgeSetCount) return;
    m_BadgeCursor = next;
    p_PlaySFX(kSfxClick, step < 0 ? 0.8f : 1.2f, 0.5f, 0);
    if (m_BadgeDetailId >= 0) m_BadgeDetailId = kBadgeSet[next].id;
    // The selected row scrolls into view.
    const float y = CellCentreY(w, next);
    if (y + m_BadgeScrollNow < kCell) m_BadgeScrollNow = kCell - y;
    if (y + m_BadgeScrollNow > h - kCell) m_BadgeScrollNow = h - kCell - y;
    return;
  }
  if (p_PlayKey(kKeyAction)) {
    m_BackLatch = 1;
    if (m_BadgeDetailId >= 0) {
      m_BadgeDetailId = -1;
      p_PlaySFX(kSfxClick, 0.8f, 0.5f, 0);
    } else {
      p_OpenBadgeDetail(kBadgeSet[m_BadgeCursor].id);
    }
  }
}

int c_MyApp::p_GC_Badges() { return 0; }
