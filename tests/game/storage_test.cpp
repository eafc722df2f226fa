// Settings, badges and high scores in the state file: the round trip, the
// checksums, and files that are damaged, cut short or absurdly long.
#include <cstdint>
#include <cstdio>

#include "tests/game/game_host.h"

namespace {

class Storage : public GameTest {
 protected:
  std::string Save() {
    app->p_Save();
    return ReadFile(StatePath());
  }
  // Loads, returning what was printed.
  std::string Load() {
    fflush(stdout);
    ::testing::internal::CaptureStdout();
    app->p_Load();
    fflush(stdout);
    return ::testing::internal::GetCapturedStdout();
  }
  void Scramble() {
    for (int i = 0; i < 25; ++i) app->m_Settings[i] = -1;
    for (int i = 0; i < 256; ++i) app->m_Badges[i] = false;
    for (int i = 0; i < 150; ++i) app->m_HighScores[i] = -1;
  }
  // Loads `text` in a child process; what it printed, then the settings
  // 0..2 as "S<i>=<value>" lines.
  std::string LoadInChild(const std::string& text, bool write = true, int* code = nullptr) {
    if (write) WriteFile(StatePath(), text);
    std::string out;
    int result = RunInChild(
        [&] {
          app->p_Load();
          for (int i = 0; i < 3; ++i) printf("S%d=%d\n", i, app->m_Settings[i]);
          return 0;
        },
        &out);
    if (code) *code = result;
    EXPECT_EQ(result, 0) << "the load ended badly:\n" << out;
    return out;
  }
};

std::string Join(const std::vector<std::string>& fields) {
  std::string text;
  for (size_t i = 0; i < fields.size(); ++i) text += (i ? "|" : "") + fields[i];
  return text;
}

// A decimal text read as a 32-bit int that wraps.
int Wrapped(const std::string& digits) {
  uint32_t value = 0;
  for (char c : digits) value = value * 10 + static_cast<uint32_t>(c - '0');
  return static_cast<int>(value);
}

int Lines(const std::string& out, const std::string& word) {
  int n = 0;
  for (size_t at = out.find(word); at != std::string::npos; at = out.find(word, at + 1)) n += 1;
  return n;
}

TEST_F(Storage, SaveThenLoadGivesEverythingBack) {
  for (int i = 0; i < 25; ++i) app->m_Settings[i] = i * 37 - 100;
  app->m_Settings[10] = 100;
  app->m_Settings[11] = 200;
  app->m_Settings[12] = 9;
  for (int i = 0; i < 256; ++i) app->m_Badges[i] = i % 3 == 0 || i == 31 || i == 255;
  for (int i = 0; i < 150; ++i) app->m_HighScores[i] = i < 60 ? i * 100003 - 7 * i * i - 50 : 5;
  std::string text = Save();
  std::vector<std::string> fields = SplitOn(text, '|');
  ASSERT_EQ(fields.size(), 99u);
  EXPECT_EQ(fields[98], "");
  Scramble();
  EXPECT_EQ(Load(), "Settings Loaded\nBadges Loaded\nHighscore 0 Loaded\nHighscore 1 Loaded\nHighscore 2 Loaded\n");
  for (int i = 0; i < 25; ++i) {
    int expected = i == 10 ? 100 : i == 11 ? 200 : i == 12 ? 9 : i * 37 - 100;
    EXPECT_EQ(app->m_Settings[i], expected) << "setting " << i;
  }
  for (int i = 0; i < 256; ++i) EXPECT_EQ(app->m_Badges[i], i % 3 == 0 || i == 31 || i == 255) << "badge " << i;
  for (int i = 0; i < 60; ++i) EXPECT_EQ(app->m_HighScores[i], i * 100003 - 7 * i * i - 50) << "score " << i;
  EXPECT_EQ(app->m_HighScores[60], -1) << "entries from 60 on are not stored";
}

TEST_F(Storage, DefaultSettingsChecksumIs1469) {
  std::vector<std::string> fields = SplitOn(Save(), '|');
  ASSERT_EQ(fields.size(), 99u);
  EXPECT_EQ(fields[5], "1");
  EXPECT_EQ(fields[10], "64");
  EXPECT_EQ(fields[12], "10");
  EXPECT_EQ(fields[25], "1469");
}

TEST_F(Storage, Badge31IsTheSignBit) {
  app->m_Badges[31] = true;
  std::vector<std::string> fields = SplitOn(Save(), '|');
  ASSERT_EQ(fields.size(), 99u);
  EXPECT_EQ(fields[26], "-2147483648");
  EXPECT_EQ(fields[34], "-2147483648");
  Scramble();
  EXPECT_EQ(Lines(Load(), "Badges Loaded"), 1);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(app->m_Badges[i], i == 31) << "badge " << i;
}

TEST_F(Storage, OneChangedDigitZeroesOnlyItsTable) {
  for (int i = 0; i < 60; ++i) app->m_HighScores[i] = 1000 + i;
  std::vector<std::string> fields = SplitOn(Save(), '|');
  ASSERT_EQ(fields.size(), 99u);
  ASSERT_EQ(fields[56], "1010") << "table 1 starts at field 56";
  fields[56] = "1011";
  WriteFile(StatePath(), Join(fields));
  Scramble();
  std::string out = Load();
  EXPECT_EQ(Lines(out, "Highscore 0 Loaded"), 1) << out;
  EXPECT_EQ(Lines(out, "Highscore 1 Checksum Invalid"), 1) << out;
  EXPECT_EQ(Lines(out, "Highscore 2 Loaded"), 1) << out;
  for (int j = 0; j < 10; ++j) {
    EXPECT_EQ(app->m_HighScores[j], 1000 + j);
    EXPECT_EQ(app->m_HighScores[10 + j], 0);
    EXPECT_EQ(app->m_HighScores[40 + j], 0);
    EXPECT_EQ(app->m_HighScores[20 + j], 1020 + j);
    EXPECT_EQ(app->m_HighScores[50 + j], 1050 + j);
  }
}

TEST_F(Storage, PadSettingsHaveTheirLowerLimits) {
  app->m_Settings[10] = 63;
  app->m_Settings[12] = 7;
  Save();
  Load();
  EXPECT_EQ(app->m_Settings[10], 64);
  EXPECT_EQ(app->m_Settings[12], 10);
  app->m_Settings[12] = 8;
  Save();
  Load();
  EXPECT_EQ(app->m_Settings[12], 8);
}

TEST_F(Storage, DamagedSettingsAreReset) {
  app->m_Settings[3] = 5;
  std::vector<std::string> fields = SplitOn(Save(), '|');
  fields[3] = "6";
  WriteFile(StatePath(), Join(fields));
  EXPECT_EQ(Lines(Load(), "Settings Checksum Invalid"), 1);
  EXPECT_EQ(app->m_Settings[3], 0);
  EXPECT_EQ(app->m_Settings[kSettingSound], 1);
  EXPECT_EQ(app->m_Settings[11], 64);
}

TEST_F(Storage, MissingEmptyShortOrGarbageFilesLoadNothingTheyDoNotHold) {
  app->m_Settings[1] = 42;
  std::vector<std::string> fields = SplitOn(Save(), '|');
  remove(StatePath().c_str());
  std::string out = LoadInChild("", false);
  EXPECT_EQ(Lines(out, "Loaded"), 0) << out;
  EXPECT_EQ(Lines(out, "S1=42"), 1) << out;

  out = LoadInChild("");
  EXPECT_EQ(Lines(out, "Loaded"), 0) << out;

  out = LoadInChild("1|2|3|x|\n|%s%n|-|+|");
  EXPECT_EQ(Lines(out, "Loaded"), 0) << out;

  std::vector<std::string> cut(fields.begin(), fields.begin() + 40);
  out = LoadInChild(Join(cut));
  EXPECT_EQ(Lines(out, "Settings Loaded"), 1) << out;
  EXPECT_EQ(Lines(out, "Badges Loaded"), 1) << out;
  EXPECT_EQ(Lines(out, "Highscore"), 0) << out;

  std::vector<std::string> half(fields.begin(), fields.begin() + 30);
  out = LoadInChild(Join(half) + "12345");
  EXPECT_EQ(Lines(out, "Settings Loaded"), 1) << out;
  EXPECT_EQ(Lines(out, "Badge"), 0) << out;
}

// A new game keeps its difficulty in the settings; a start offers it again.
// Anything but 1..3 there, as in older files, starts on Normal.
TEST_F(Storage, ChosenDifficultyIsKeptAndOfferedAtTheNextStart) {
  ASSERT_TRUE(RunLoader());
  for (int chosen : {1, 3}) {
    app->m_Difficulty = chosen;
    app->m_Screen = kScreenNewGame;
    Update();
    EXPECT_EQ(SplitOn(Save(), '|')[kSettingDifficulty], std::to_string(chosen));
  }
  for (int stored : {0, 1, 2, 3, 4, -1}) {
    app->m_Settings[kSettingDifficulty] = stored;
    Save();
    app->m_Difficulty = 0;
    app->p_OnCreate();
    EXPECT_EQ(app->m_Difficulty, stored >= 1 && stored <= 3 ? stored : 2) << "stored " << stored;
  }
}

TEST_F(Storage, LongFieldsReadWithWrapAround) {
  std::vector<std::string> fields = SplitOn(Save(), '|');
  ASSERT_EQ(fields.size(), 99u);
  std::string thirty = "123456789012345678901234567890";
  fields[1] = thirty;
  fields[2] = "4294967297";  // 2^32 + 1
  fields[25] = std::to_string(static_cast<int>(1469u + static_cast<uint32_t>(Wrapped(thirty)) + 2u));
  std::string out = LoadInChild(Join(fields));
  EXPECT_EQ(Lines(out, "Settings Loaded"), 1) << out;
  EXPECT_EQ(Lines(out, "S1=" + std::to_string(Wrapped(thirty)) + "\n"), 1) << out;
  EXPECT_EQ(Lines(out, "S2=1\n"), 1) << out;
  EXPECT_EQ(Lines(out, "Highscore 2 Loaded"), 1) << out;

  // A megabyte of digits in a field whose weight is 0.
  std::string huge(1000000, '9');
  fields = SplitOn(Save(), '|');
  fields[0] = huge;
  out = LoadInChild(Join(fields));
  EXPECT_EQ(Lines(out, "Settings Loaded"), 1) << out;
  EXPECT_EQ(Lines(out, "S0=" + std::to_string(Wrapped(huge)) + "\n"), 1) << out;

  out = LoadInChild(huge);
  EXPECT_EQ(Lines(out, "Loaded"), 0) << out;
}

}  // namespace
