// Badges: their texts, the slide-in pop-ups that announce them and the
// gallery box. The table holds one test badge and nothing awards any, but
// the pop-up queue is drawn every update, so the mechanism stays live.
#include "game/my_app.h"

namespace {

const int kPopUpSlots = 13;
const int kPopUpWidth = 160;
const int kPopUpUpdates = 240;
// Ids past the last frame of the badge icon sheet have no icon.
const int kLastIcon = 63;

const String& Separator() {
  static const String separator("|");
  return separator;
}

}  // namespace

String c_MyApp::p_BadgeID(int id) {
  // Shared, so that announcing the badge every update copies no text.
  static const String kTestBadge("Test Badge|This is a Test Badge which has no purpose.");
  if (id == 0) return kTestBadge;
  return String();
}

String c_MyApp::p_BadgeName(int id) {
  return p_BadgeID(id).Split(Separator())[0];
}

String c_MyApp::p_BadgeDetail(int id) {
  Array<String> parts = p_BadgeID(id).Split(Separator());
  // A text without a separator has a name only.
  if (parts.Length() < 2) return String();
  return parts[1];
}

int c_MyApp::p_ShowBadges() {
  p_ResetDraw();
  for (int i = 0; i < kPopUpSlots; ++i) {
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
  return 0;
}

int c_MyApp::p_BadgesBox() {
  const float w = vx_TumblastEndless_jscrw, h = vx_TumblastEndless_jscrh;
  p_ResetDraw();
  p_SetCol(255, 125, 0, 0.8f);
  p_Rect(w * 0.1f, -1, w * 0.8f, h + 2.0f);
  p_SetCol(100, 0, 0, 0.8f);
  p_Rect(w * 0.12f, -1, w * 0.76f, h + 2.0f);

  if (p_PlayKey(kKeyUp)) m_BadgeScrollNow -= 16;
  if (p_PlayKey(kKeyDown)) m_BadgeScrollNow += 16;
  if (m_MouseDown > 0 && static_cast<float>(m_MouseX) > w * 0.12f) {
    m_BadgeScrollNow += 1.5f * static_cast<float>(m_MouseY - m_MouseYOld);
  }
  if (m_BadgeScrollNow > 0) m_BadgeScrollNow = 0;
  const float gap = m_BadgeScrollNow - m_BadgeScrollY;
  if (gap < 6 && gap > -6) {
    m_BadgeScrollY = m_BadgeScrollNow;
  } else {
    m_BadgeScrollY += gap / 6.0f;
  }
  // The detail panel belongs to a selected badge; this box selects none.
  return 0;
}

int c_MyApp::p_GC_Badges() { return 0; }
