// The end of a game: the "GAME OVER" banner with the new high score's place,
// the recording of the score in the best and last lists of its difficulty,
// and the right-aligned number formatting the score panels use.
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "game/my_app.h"
#include "runtime/memory.h"

namespace {

// Updates the banner builds before the score is recorded, and where its
// clock resumes for the fade over the title menu.
const int kBannerBuild = 90;
const int kBannerFade = 75;

}  // namespace

int c_MyApp::p_GameOver() {
  static const String kGame("GAME"), kOver("OVER"), kNewHighscore("New Highscore\\n           ");
  const float w = vx_TumblastEndless_jscrw, h = vx_TumblastEndless_jscrh;
  int& t = m_GameOverTimer;

  if (t > 0) {
    const float dim = static_cast<float>(t) / 40.0f;
    p_SetCol(0, 0, 0, dim < 0.7f ? dim : 0.7f);
    p_Rect(-1, -1, w + 2, h + 2);

    m_Y = t * 12;
    const int furthest = static_cast<int>(h * 0.45f);
    if (m_Y > furthest) m_Y = furthest;
    const float y = static_cast<float>(m_Y);

    p_ResetDraw();
    p_SetCol(255, 255, 0, 0.5f);
    p_Rect(-1, h * 0.45f - 8, 2 * y, 16);
    p_SetCol(255, 128, 0, 0.5f);
    p_Rect(w - 2 * y, h * 0.55f - 8, 2 * y + 1, 16);

    p_ResetDraw();
    p_SetSize(4);
    p_SetCol(255, 180, 180, 1);
    p_Text(w * 0.35f, y, kGame, 1, 1);
    p_Text(w * 0.65f, h - y, kOver, 1, 1);

    String place = p_MyNth();
    if (m_I >= 1) {
      p_SetSize(1);
      p_SetCol(0, 125, 255, 0.5f);
      p_Rect(w * 0.35f, h - y / 1.5f - 16, w * 0.3f, 32);
      p_SetSize(2);
      p_SetCol(100, 255, 100, 1);
      p_Text(w * 0.5f, h - y / 1.5f, kNewHighscore + place, 0.5f, 2);
    }
  }

  if (m_Screen == kScreenPlay) {
    t += 1;
    if (t >= kBannerBuild) {
      m_Screen = kScreenRecord;
      t = kBannerFade;
      m_Music->p_Kz_Stop(1);
      if (vx_TumblastEndless_HasMusic == 1) m_Music->p_Kz_Stop(1);
    }
  } else if (m_Screen < kScreenPlay) {
    t -= 2;
    if (t < 0) t = 0;
  }
  return 0;
}

int c_MyApp::p_BestScores(int difficulty) {
  if (difficulty < 1 || difficulty > kDifficulties) return -1;
  return (difficulty - 1) * kTableEntries;
}

String c_MyApp::p_MyNth() {
  static const String kPlaces[11] = {String(), String("1st!"), String("2nd"), String("3rd"),
                                     String("4th"), String("5th"),  String("6th"), String("7th"),
                                     String("8th"), String("9th"),  String("10th")};
  const int b = p_BestScores(m_Difficulty);
  m_I = 0;
  for (int i = 0; i < kTableEntries && b >= 0; ++i) {
    if (m_Score >= m_HighScores[b + i]) {
      m_I = i + 1;
      break;
    }
  }
  return kPlaces[m_I];
}

int c_MyApp::p_LoadMenu() {
  const int b = p_BestScores(m_Difficulty);
  // Before the score enters its table, so that a first place can be told.
  p_BadgeGameRecorded();

  // A game of no known difficulty has no table to enter.
  if (b >= 0) {
    // A score equal to an entry goes after it; one that beats none stays out.
    for (int p = 0; p < kTableEntries; ++p) {
      if (m_HighScores[b + p] < m_Score) {
        for (int i = b + 8; i >= b + p; --i) m_HighScores[i + 1] = m_HighScores[i];
        m_HighScores[b + p] = m_Score;
        break;
      }
    }
    p_GC_PostScore(m_Difficulty, m_HighScores[b]);
  }
  p_GC_Badges();

  if (b >= 0) {
    const int last = b + kLastScores;
    for (int i = last + 8; i >= last; --i) m_HighScores[i + 1] = m_HighScores[i];
    m_HighScores[last] = m_Score;
  }
  p_Save();
  return 0;
}

String c_MyApp::p_rstr(int value, int width, String pad) {
  // The pad repeated width + 1 times, then the number; the last `width`
  // characters are kept (all of them for width 0). Built in one piece.
  char digits[16];
  const int digitCount = snprintf(digits, sizeof digits, "%i", value);
  const long long padCopies = width < 1 ? 1 : static_cast<long long>(width) + 1;
  const long long padLength = padCopies * pad.Length();
  const long long total = padLength + digitCount;
  if (total > INT_MAX) vx_out_of_memory();

  // Negative starts count from the end, as slicing does.
  long long from = -width;
  if (from < 0) from += total;
  if (from < 0) from = 0;
  if (from > total) from = total;
  const int length = static_cast<int>(total - from);
  if (length == 0) return String();

  String::Char small[64];
  String::Char* out =
      length <= 64 ? small : static_cast<String::Char*>(vx_malloc(sizeof(String::Char) * length));
  for (int i = 0; i < length; ++i) {
    const long long at = from + i;
    out[i] = at < padLength ? pad[static_cast<int>(at % pad.Length())]
                            : static_cast<String::Char>(digits[at - padLength]);
  }
  String result(out, length);
  if (out != small) free(out);
  return result;
}

// No score service in this build.
int c_MyApp::p_GC_PostScore(int, int) { return 0; }
