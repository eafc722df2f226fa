// The player's settings, earned badges and high scores, kept as one line of
// "|"-terminated decimal fields in the state file. Each group carries a
// weighted checksum so that a damaged or edited group is reset on its own.
#include <cstdio>

#include "framework/app.h"
#include "game/my_app.h"
#include "runtime/errors.h"

namespace {

const int kSettings = kSettingCount;
const int kBadgeWords = 8;
const int kTables = kDifficulties;
// Every field prints as at most "-2147483648|".
const int kFieldRoom = 12;
const int kFields = kSettings + 1 + kBadgeWords + 1 + kTables * (2 * kTableEntries + 1);

// A field read the way atoi reads the low byte of each unit: blanks skipped,
// an optional sign, then digits up to the first other character (none gives
// 0). Unlike atoi, a value too long for an int wraps around 32 bits instead
// of being undefined.
int ReadField(const String& field) {
  const String::Char* units = field.Data();
  const int n = field.Length();
  auto byte = [&](int i) { return i < n ? static_cast<unsigned char>(units[i]) : 0; };
  int i = 0;
  while (byte(i) == ' ' || (byte(i) >= '\t' && byte(i) <= '\r')) ++i;
  bool negative = false;
  if (byte(i) == '+' || byte(i) == '-') negative = byte(i++) == '-';
  unsigned value = 0;
  while (byte(i) >= '0' && byte(i) <= '9') value = value * 10u + static_cast<unsigned>(byte(i++) - '0');
  return static_cast<int>(negative ? 0u - value : value);
}

// The settings group, when the file has all of it; where the next group
// starts.
int LoadSettings(c_MyApp& app, Array<String>& parts) {
  if (parts.Length() < kSettings + 1) return 0;
  int sum = 0;
  for (int i = 0; i < kSettings; ++i) {
    app.m_Settings[i] = ReadField(parts[i]);
    sum += i * app.m_Settings[i];
  }
  if (ReadField(parts[kSettings]) == sum) {
    DebugLog(String("Settings Loaded"));
  } else {
    DebugLog(String("Settings Checksum Invalid"));
    for (int i = 0; i < kSettings; ++i) app.m_Settings[i] = 0;
    app.m_Settings[kSettingSound] = kSoundAll;
  }
  return kSettings + 1;
}

// The badge flags, 32 to a word, when the file has them all.
void LoadBadges(c_MyApp& app, Array<String>& parts, int* p) {
  if (*p + kBadgeWords >= parts.Length()) return;
  int sum = 0;
  for (int w = 0; w < kBadgeWords; ++w) {
    const int word = ReadField(parts[*p + w]);
    for (int b = 0; b < 32; ++b) app.m_Badges[32 * w + b] = ((word >> b) & 1) != 0;
    sum += word;
  }
  *p += kBadgeWords;
  const int stored = ReadField(parts[*p]);
  *p += 1;
  if (stored == sum) {
    DebugLog(String("Badges Loaded"));
  } else {
    DebugLog(String("Badge Checksum Invalid"));
    for (int i = 0; i < 256; ++i) app.m_Badges[i] = false;
  }
}

// Table t's best and last scores. A table whose fields are missing keeps its
// values; the next one is looked for at the same place.
void LoadScoreTable(c_MyApp& app, Array<String>& parts, int t, int* p) {
  if (*p + 2 * kTableEntries >= parts.Length()) return;
  int sum = 0;
  for (int j = 0; j < kTableEntries; ++j) {
    const int best = ReadField(parts[*p + 2 * j]), last = ReadField(parts[*p + 2 * j + 1]);
    app.m_HighScores[10 * t + j] = best;
    app.m_HighScores[10 * t + j + kLastScores] = last;
    sum += (j + 4) * best + (t + j + 3) * last;
  }
  *p += 2 * kTableEntries;
  const int stored = ReadField(parts[*p]);
  *p += 1;
  if (stored == sum) {
    Print(String("Highscore ") + String(t) + String(" Loaded"));
  } else {
    Print(String("Highscore ") + String(t) + String(" Checksum Invalid"));
    for (int j = 0; j < kTableEntries; ++j) {
      app.m_HighScores[10 * t + j] = 0;
      app.m_HighScores[10 * t + j + kLastScores] = 0;
    }
  }
}

}  // namespace

int c_MyApp::p_Save() {
  char text[kFields * kFieldRoom + 1];
  int length = 0;
  auto put = [&](int value) { length += snprintf(text + length, sizeof text - length, "%i|", value); };

  int sum = 0;
  for (int i = 0; i < kSettings; ++i) {
    put(m_Settings[i]);
    sum += i * m_Settings[i];
  }
  put(sum);

  sum = 0;
  for (int w = 0; w < kBadgeWords; ++w) {
    unsigned word = 0;
    for (int b = 0; b < 32; ++b) {
      if (m_Badges[32 * w + b]) word |= 1u << b;
    }
    put(static_cast<int>(word));
    sum += static_cast<int>(word);
  }
  put(sum);

  for (int t = 0; t < kTables; ++t) {
    sum = 0;
    for (int j = 0; j < kTableEntries; ++j) {
      const int best = m_HighScores[10 * t + j], last = m_HighScores[10 * t + j + kLastScores];
      put(best);
      put(last);
      sum += (j + 4) * best + (t + j + 3) * last;
    }
    put(sum);
  }

  String state(text);
  if (vx_TumblastEndless_DebugMode == 1) DebugLog(state);
  vx_app_SaveState(state);
  return 0;
}

int c_MyApp::p_Load() {
  String text = vx_app_LoadState();
  Array<String> parts = text.Split(String("|"));
  if (vx_TumblastEndless_DebugMode == 1) DebugLog(text);
  // Each group is read at p, which then moves past it.
  int p = LoadSettings(*this, parts);
  // The on-screen pad must stay on screen and keep a usable size.
  if (m_Settings[kSettingPadX] < 64) m_Settings[kSettingPadX] = 64;
  if (m_Settings[kSettingPadY] < 64) m_Settings[kSettingPadY] = 64;
  if (m_Settings[kSettingPadSize] < 8) m_Settings[kSettingPadSize] = 10;
  LoadBadges(*this, parts, &p);
  for (int t = 0; t < kTables; ++t) LoadScoreTable(*this, parts, t, &p);
  return 0;
}
