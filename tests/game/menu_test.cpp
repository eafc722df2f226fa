// The title menu, the pause overlay, game over with its high-score places,
// and the close button.
#include "tests/game/game_host.h"

namespace {

using Menu = MenuTest;

TEST_F(Menu, KeysChangeTheDifficultyOncePerPress) {
  ASSERT_EQ(app->m_Difficulty, 2);
  KeyDown(VX_KEY_UP);  // up
  Update();
  EXPECT_EQ(app->m_Difficulty, 1);
  EXPECT_EQ(app->m_BackLatch, 1);
  KeyUp(VX_KEY_UP);
  Update();
  EXPECT_EQ(app->m_BackLatch, 0);
  Tap(VX_KEY_DOWN, 5);  // down, held
  EXPECT_EQ(app->m_Difficulty, 2);
  Tap(VX_KEY_RIGHT);  // right
  Tap(VX_KEY_RIGHT);
  EXPECT_EQ(app->m_Difficulty, 3);
  Tap(VX_KEY_LEFT);  // left
  EXPECT_EQ(app->m_Difficulty, 2);
  KeyDown(VX_KEY_Z);  // z: first button
  Update();
  EXPECT_EQ(app->m_Screen, kScreenNewGame);
  Update();
  EXPECT_EQ(app->m_Screen, kScreenPlay);
  EXPECT_EQ(app->m_Colours, 6);
}

TEST_F(Menu, DifficultyButtonStartsAGame) {
  ASSERT_EQ(app->m_MenuSlide, 0);
  Press(640 * 0.6f, 480 * 0.7f);  // button 3
  Update();
  EXPECT_EQ(app->m_Screen, kScreenNewGame);
  EXPECT_EQ(app->m_Difficulty, 3);
  EXPECT_EQ(app->m_Clicked, 1);
}

TEST_F(Menu, PlacesAndRecordingOfAFinishedGame) {
  app->m_Difficulty = 2;
  auto set = [&](std::vector<int> best, int score) {
    for (int i = 0; i < 10; ++i) {
      app->m_HighScores[10 + i] = best[i];
      app->m_HighScores[40 + i] = 100 + i;
    }
    app->m_Score = score;
  };
  auto best = [&] {
    std::vector<int> list;
    for (int i = 0; i < 10; ++i) list.push_back(app->m_HighScores[10 + i]);
    return list;
  };

  set({500, 300, 300, 0, 0, 0, 0, 0, 0, 0}, 300);
  EXPECT_EQ(Std(app->p_MyNth()), "2nd");
  EXPECT_EQ(app->m_I, 2);
  app->p_LoadMenu();
  EXPECT_EQ(best(), (std::vector<int>{500, 300, 300, 300, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(app->m_HighScores[40], 300);
  EXPECT_EQ(app->m_HighScores[41], 100);
  EXPECT_EQ(app->m_HighScores[49], 108);

  set(std::vector<int>(10, 0), 0);
  EXPECT_EQ(Std(app->p_MyNth()), "1st!");
  app->p_LoadMenu();
  EXPECT_EQ(best(), std::vector<int>(10, 0));
  EXPECT_EQ(app->m_HighScores[40], 0);
  EXPECT_EQ(app->m_HighScores[41], 100);

  set({10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, 1);
  EXPECT_EQ(Std(app->p_MyNth()), "10th");
  EXPECT_EQ(app->m_I, 10);
  app->p_LoadMenu();
  EXPECT_EQ(best(), (std::vector<int>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));

  set({10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, 0);
  EXPECT_EQ(Std(app->p_MyNth()), "");
  EXPECT_EQ(app->m_I, 0);
  EXPECT_EQ(app->m_HighScores[0], 0) << "other difficulties untouched";
  EXPECT_EQ(app->m_HighScores[20], 0);
}

TEST_F(Menu, NumbersRightAlignedInAField) {
  EXPECT_EQ(Std(app->p_rstr(7, 3, String("0"))), "007");
  EXPECT_EQ(Std(app->p_rstr(12345, 3, String(" "))), "345");
  EXPECT_EQ(Std(app->p_rstr(12345, 11, String(" "))), "      12345");
  EXPECT_EQ(Std(app->p_rstr(-5, 4, String("0"))), "00-5");
  EXPECT_EQ(Std(app->p_rstr(45, 8, String("0"))), "00000045");
}

TEST_F(Menu, CloseButtonSavesAndEndsWithCode0) {
  app->m_Settings[3] = 77;
  app->m_Settings[kSettingSound] = 2;
  std::string out;
  int code = RunInChild(
      [&] {
        KeyDown(VX_KEY_CLOSE);
        Update();
        return 1;  // still running
      },
      &out);
  EXPECT_EQ(code, 0) << out;
  std::vector<std::string> fields = SplitOn(ReadFile(StatePath()), '|');
  ASSERT_EQ(fields.size(), 99u) << "a whole state file";
  EXPECT_EQ(fields[3], "77");
  EXPECT_EQ(fields[5], "2");
}

// The pause button at (16, 16); in landscape, resume at the panel's centre
// (320, slide) and quit at (180, slide - 64).
using Pause = PlayTest;

TEST_F(Pause, ButtonPausesResumeClosesQuitEndsTheGame) {
  LayBoard(WithFiller({}));
  Press(16, 16);
  Update();
  EXPECT_EQ(app->m_Paused, 1);
  EXPECT_EQ(app->m_PauseState, 1);
  Release();
  Update(15);
  EXPECT_GE(app->m_PauseSlide, 216);
  Press(320, app->m_PauseSlide);
  Update();
  EXPECT_EQ(app->m_PauseState, -1);
  Release();
  for (int i = 0; i < 30 && app->m_Paused; ++i) Update();
  EXPECT_EQ(app->m_Paused, 0);
  EXPECT_LT(app->m_PauseSlide, -32);
  EXPECT_EQ(app->m_GameOver, 0);

  Press(16, 16);
  Update();
  Release();
  Update(15);
  ASSERT_EQ(app->m_Paused, 1);
  Press(180, app->m_PauseSlide - 64);
  Update();
  EXPECT_EQ(app->m_GameOver, 1);
  EXPECT_EQ(app->m_Paused, 0);
  EXPECT_EQ(app->m_PauseSlide, -64);
}

TEST_F(Pause, KeysPauseMoveTheFocusAndAct) {
  LayBoard(WithFiller({}));
  KeyDown(VX_KEY_ESCAPE);
  Update(4);  // escape held: pauses once, and does not close again
  EXPECT_EQ(app->m_Paused, 1);
  EXPECT_EQ(app->m_PauseState, 1);
  EXPECT_EQ(app->m_PauseScratch, 0);
  KeyUp(VX_KEY_ESCAPE);
  Update();
  EXPECT_EQ(app->m_BackLatch, 0);
  Tap(VX_KEY_LEFT, 3);  // left, held: to quit
  EXPECT_EQ(app->m_PauseScratch, -1);
  Tap(VX_KEY_RIGHT);  // right: back to resume
  EXPECT_EQ(app->m_PauseScratch, 0);
  Tap(VX_KEY_RIGHT);  // right: to sound
  EXPECT_EQ(app->m_PauseScratch, 1);
  Tap(VX_KEY_ENTER);  // action on sound: the switch's next option
  EXPECT_EQ(app->m_Settings[kSettingSound], kSoundOff);
  Tap(VX_KEY_LEFT);
  EXPECT_EQ(app->m_PauseScratch, 0);
  Tap(VX_KEY_ENTER);  // resume
  EXPECT_EQ(app->m_PauseState, -1);
  for (int i = 0; i < 30 && app->m_Paused; ++i) Update();
  EXPECT_EQ(app->m_Paused, 0);
  EXPECT_EQ(app->m_GameOver, 0);

  Tap(VX_KEY_ESCAPE);
  ASSERT_EQ(app->m_Paused, 1);
  Tap(VX_KEY_LEFT);
  Tap(VX_KEY_ENTER);  // quit
  EXPECT_EQ(app->m_GameOver, 1);
}

// The sound key of the pause overlay steps the option as the switches do:
// through all four with music, between silence and full sound without.
TEST_F(Pause, SoundKeyStepsTheOptionAsTheSwitchesDo) {
  struct Case {
    int music, before, after;
  };
  LayBoard(WithFiller({}));
  Tap(VX_KEY_ESCAPE);
  Tap(VX_KEY_RIGHT);
  ASSERT_EQ(app->m_PauseScratch, 1);
  for (const Case& c : {Case{0, 0, 1}, Case{0, 1, 0}, Case{0, 2, 0}, Case{0, 3, 0}, Case{1, 0, 1}, Case{1, 1, 2},
                        Case{1, 2, 3}, Case{1, 3, 0}}) {
    vx_TumblastEndless_HasMusic = c.music;
    app->m_Settings[kSettingSound] = c.before;
    Tap(VX_KEY_ENTER);
    EXPECT_EQ(app->m_Settings[kSettingSound], c.after) << "music " << c.music << ", option " << c.before;
    app->m_Settings[kSettingSound] = c.before;
    app->p_PressSoundSwitch();
    EXPECT_EQ(app->m_Settings[kSettingSound], c.after) << "the switch, music " << c.music << ", option " << c.before;
  }
  vx_TumblastEndless_HasMusic = 0;
}

// A difficulty outside 1..3 has no score table: no place, nothing recorded,
// no panels on the menu.
TEST_F(Menu, DifficultyOutsideOneToThreeTouchesNoTable) {
  for (int difficulty : {0, 4, -1}) {
    for (int i = 0; i < 150; ++i) app->m_HighScores[i] = 7;
    app->m_Difficulty = difficulty;
    app->m_Score = 1000;
    EXPECT_EQ(Std(app->p_MyNth()), "") << difficulty;
    EXPECT_EQ(app->m_I, 0);
    app->p_LoadMenu();
    for (int i = 0; i < 150; ++i) ASSERT_EQ(app->m_HighScores[i], 7) << "difficulty " << difficulty << ", entry " << i;
    Update();
    int panelGlyphs = 0;
    for (const Command& c : Commands()) panelGlyphs += c.kind() == app->m_CurrentFont && c.f[kCommandW] == 1.5f;
    EXPECT_EQ(panelGlyphs, 0) << difficulty;
  }
}

TEST_F(Pause, GameOverRecordsTheScoreAfter90Updates) {
  LayBoard(WithFiller({}));
  app->m_Score = 777;
  app->m_GameOver = 1;
  Update(89);
  EXPECT_EQ(app->m_Screen, kScreenPlay);
  EXPECT_EQ(app->m_GameOverTimer, 89);
  Update();
  EXPECT_EQ(app->m_Screen, kScreenRecord);
  EXPECT_EQ(app->m_GameOverTimer, 75);
  Update();
  EXPECT_EQ(app->m_Screen, kScreenMenu);
  EXPECT_EQ(app->m_HighScores[0], 777);
  EXPECT_EQ(app->m_HighScores[30], 777);
  EXPECT_EQ(app->m_GameOverTimer, 73);
  std::vector<std::string> fields = SplitOn(ReadFile(StatePath()), '|');
  ASSERT_EQ(fields.size(), 99u) << "saved after recording";
  EXPECT_EQ(fields[35], "777");
  EXPECT_EQ(fields[36], "777");
  Update(40);
  EXPECT_EQ(app->m_GameOverTimer, 0);
}

}  // namespace
