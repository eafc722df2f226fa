// Badges earned in play: each rule at its threshold and one short of it, a
// badge earned once, the pop-up queue when it is full, the counters in the
// state file; and the gallery opened from the title menu.
#include <functional>
#include <string>
#include <vector>

#include "game/badge_set.h"
#include "host/key_codes.h"
#include "tests/game/game_host.h"

namespace {

class BadgeRules : public PlayTest {
 protected:
  void Record(int score) {
    app->m_Score = score;
    app->m_Screen = kScreenRecord;
    Update();
  }
  int Queued() {
    int n = 0;
    for (int i = 0; i < 15; ++i) n += app->m_BadgeQueueB[i] != 0;
    return n;
  }
};

enum Trigger { kPlay, kBombOff, kRecord };

struct Case {
  const char* rule;
  int badge;
  Trigger trigger;
  // The game one short of the badge (s = 1) or exactly at it (s = 0).
  std::function<void(c_MyApp*, int s)> set;
  // Laid before four updates of play; the second board is the one short.
  std::vector<std::string> board = {}, boardShort = {};
};

TEST_F(BadgeRules, EachRuleAwardsAtItsThresholdAndNotOneBefore) {
  auto none = [](c_MyApp*, int) {};
  const std::vector<Case> cases = {
      {"score in one Easy game", kBadgeEasyScore1, kPlay, [](c_MyApp* a, int s) { a->m_Score = 1000 - 45 - s; },
       {"111....."}},
      {"group size", kBadgeGroup1, kPlay, none, {"11111..."}, {"1111...."}},
      {"blasts in quick succession", kBadgeChain1, kPlay, none, {"...4...3", "...4...3", "11142223"},
       {"...4...3", "...4...3", "111.2223"}},
      {"90 updates between blasts of a run", kBadgeChain1, kPlay,
       [](c_MyApp* a, int s) { a->m_BadgeChain = 3, a->m_BadgeChainClock = 90 + s; }, {"111....."}},
      {"bombs over all games", kBadgeBomb2, kBombOff, [](c_MyApp* a, int s) { a->m_Settings[kCounterBombs] = 24 - s; }},
      {"first close call", kBadgeCloseCall, kPlay, [](c_MyApp* a, int s) { a->m_DangerFrames = 240 - s; }},
      {"close calls over all games", kBadgeCloseCalls, kPlay,
       [](c_MyApp* a, int s) { a->m_Settings[kCounterCloseCalls] = 9 - s, a->m_DangerFrames = 240; }},
      {"games played", kBadgeGames2, kRecord, [](c_MyApp* a, int s) { a->m_Settings[kCounterGames] = 9 - s; }},
      {"score over all games", kBadgeTotal1, kRecord,
       [](c_MyApp* a, int s) { a->m_Settings[kCounterTotalScore] = 4700, a->m_Score = 300 - s; }},
      {"first place", kBadgeFirstPlace, kRecord,
       [](c_MyApp* a, int s) { a->m_HighScores[0] = 500, a->m_Score = 501 - s; }},
      {"every difficulty", kBadgeAllDifficulties, kRecord,
       [](c_MyApp* a, int s) { a->m_Settings[kCounterDifficulties] = 3, a->m_Difficulty = 3 - s; }},
  };
  for (const Case& c : cases) {
    for (int s : {1, 0}) {
      for (int i = 0; i < 256; ++i) app->m_Badges[i] = false;
      for (int i = kSettingBadgeCounters; i <= kSettingBadgeCounters + 7; ++i) app->m_Settings[i] = 0;
      app->m_Difficulty = 1;
      app->m_Screen = kScreenPlay;
      app->p_BadgeGameStart();
      app->m_Score = 0;
      if (c.trigger == kPlay) LayBoard(WithFiller(s && !c.boardShort.empty() ? c.boardShort : c.board));
      if (c.trigger == kBombOff) LayBoard(WithFiller({"B......."}));
      c.set(app, s);
      if (c.trigger == kPlay) Update(4);
      if (c.trigger == kBombOff) {
        Press(CellX(1), CellY(9));  // held still until it goes off
        Update(85);
        Release();
      }
      if (c.trigger == kRecord) Record(app->m_Score);
      EXPECT_EQ(app->m_Badges[c.badge], s == 0) << c.rule << (s ? ", one short" : ", at the threshold");
    }
  }
}

TEST_F(BadgeRules, RuleMetTwiceQueuesOnePopUpAndChangesNoScore) {
  LayBoard(WithFiller({"11111..."}));
  Update();
  EXPECT_EQ(app->m_Score, 125);  // 5 x 5 x 5, as without badges
  const int sounds = app->m_SfxSlot;
  LayBoard(WithFiller({"11111..."}));
  Update();
  EXPECT_TRUE(app->m_Badges[kBadgeGroup1]);
  EXPECT_EQ(Queued(), 1);
  EXPECT_EQ(app->m_SfxSlot, sounds + 1);  // the second blast's sound only
}

TEST_F(BadgeRules, FifteenAtOnceFillThirteenSlotsAndTwoWaitWithOneJingle) {
  const int sounds = app->m_SfxSlot;
  for (int i = 0; i < 15; ++i) app->p_AwardBadge(kBadgeSet[i].id);
  EXPECT_EQ(app->m_SfxSlot, sounds + 1);
  for (int i = 0; i < 13; ++i) {
    EXPECT_EQ(app->m_BadgeQueueA[i], kBadgeSet[i].id);
    EXPECT_EQ(app->m_BadgeQueueB[i], 1);
  }
  EXPECT_EQ(app->m_BadgeQueueB[13], 0);
  EXPECT_EQ(app->m_BadgeWaitingCount, 2);
  Update(240);  // the thirteen leave together; the two waiting take slots 0 and 1
  EXPECT_EQ(app->m_BadgeWaitingCount, 0);
  EXPECT_EQ(app->m_BadgeQueueA[0], kBadgeSet[13].id);
  EXPECT_EQ(app->m_BadgeQueueA[1], kBadgeSet[14].id);
  EXPECT_EQ(Queued(), 2);
}

TEST_F(BadgeRules, CountersSurviveSaveAndLoadAndResetWithDamagedSettings) {
  for (int i = 13; i <= 20; ++i) app->m_Settings[i] = 1000 * i + 7;
  app->m_Badges[kBadgeGames1] = true;
  app->p_Save();
  for (int i = 13; i <= 20; ++i) app->m_Settings[i] = 0;
  app->p_Load();
  for (int i = 13; i <= 20; ++i) EXPECT_EQ(app->m_Settings[i], 1000 * i + 7);

  std::vector<std::string> fields = SplitOn(ReadFile(StatePath()), '|');
  fields[25] = std::to_string(std::stoi(fields[25]) + 1);
  std::string text;
  for (size_t i = 0; i + 1 < fields.size(); ++i) text += fields[i] + "|";
  WriteFile(StatePath(), text);
  app->p_Load();
  for (int i = 13; i <= 20; ++i) EXPECT_EQ(app->m_Settings[i], 0);
  EXPECT_TRUE(app->m_Badges[kBadgeGames1]);  // the badge group has its own checksum
}

TEST_F(BadgeRules, OldStateWithoutCountersLoadsAndPlays) {
  // Written before badges were earned: the same fields, counters and badge words 0.
  std::string text = "0|0|0|0|0|1|0|0|0|0|64|64|10|0|0|0|0|0|0|0|0|0|0|0|0|1469|";
  for (int i = 0; i < 9 + 3 * 21; ++i) text += "0|";
  WriteFile(StatePath(), text);
  app->p_Load();
  LayBoard(WithFiller({"111....."}));
  Update();
  Record(app->m_Score);
  EXPECT_EQ(app->m_Settings[kCounterGames], 1);
  EXPECT_EQ(app->m_Settings[kCounterTotalScore], 45);
  EXPECT_TRUE(app->m_Badges[kBadgeGames1]);
  EXPECT_EQ(app->m_HighScores[0], 45);
}

class Gallery : public MenuTest {
 protected:
  void Click(float x, float y) {
    Press(x, y);
    Update();
    Release();
    Update();
  }
  // Image-80 commands: (frame, red, size).
  std::vector<std::vector<float>> Icons() {
    std::vector<std::vector<float>> icons;
    for (const Command& c : Commands()) {
      if (c.kind() == kImgBadges) icons.push_back({c.f[kCommandFrame], c.f[kCommandRed], c.f[kCommandW]});
    }
    return icons;
  }
  std::string Glyphs(float size) {
    std::string text;
    for (const Command& c : Commands()) {
      if (c.kind() == app->m_CurrentFont && c.f[kCommandW] == size) text += static_cast<char>(c.f[kCommandFrame] + 32);
    }
    return text;
  }
};

TEST_F(Gallery, ButtonBelowTheSoundSwitchOpensItWithEarnedBadgesInColour) {
  app->m_Badges[kBadgeGames1] = app->m_Badges[kBadgeBomb1] = true;
  Click(32, 240 + 64);
  ASSERT_EQ(app->m_ShowBadges, 1);
  Update();
  EXPECT_EQ(Glyphs(2), "Badges2/" + std::to_string(kBadgeSetCount));
  std::vector<std::vector<float>> icons = Icons();
  ASSERT_EQ(static_cast<int>(icons.size()), kBadgeSetCount);
  for (const auto& icon : icons) {
    const bool earned = icon[0] == kBadgeGames1 || icon[0] == kBadgeBomb1;
    EXPECT_EQ(icon[1], earned ? 255 : 70) << "frame " << icon[0];
  }
}

TEST_F(Gallery, TapShowsDetailTapHidesItPressBesideCloses) {
  app->m_Badges[kBadgeSet[1].id] = true;
  Click(32, 304);
  Click(140 + 60, 94);  // the second cell of the first row
  EXPECT_EQ(app->m_BadgeDetailId, kBadgeSet[1].id);
  Update();
  EXPECT_EQ(Icons().back(), (std::vector<float>{static_cast<float>(kBadgeSet[1].id), 255, 3}));
  EXPECT_NE(Glyphs(1.5f).find("Blastagroupof5"), std::string::npos);
  Click(320, 400);
  EXPECT_EQ(app->m_BadgeDetailId, -1);
  Click(140, 94);  // not earned: no description
  Update();
  EXPECT_NE(Glyphs(1.5f).find("Notearnedyet."), std::string::npos);
  Click(20, 200);
  EXPECT_EQ(app->m_ShowBadges, 0);
}

TEST_F(Gallery, ArrowsMoveTheSelectionActionShowsDetailEscapeCloses) {
  Click(32, 304);
  Tap(VX_KEY_RIGHT);
  Tap(VX_KEY_DOWN);  // seven columns at 640 units
  EXPECT_EQ(app->m_BadgeCursor, 8);
  Tap(VX_KEY_ENTER);
  EXPECT_EQ(app->m_BadgeDetailId, kBadgeSet[8].id);
  Tap(VX_KEY_LEFT);  // the detail follows the selection
  EXPECT_EQ(app->m_BadgeDetailId, kBadgeSet[7].id);
  Tap(VX_KEY_ESCAPE);
  EXPECT_EQ(app->m_ShowBadges, 0);
  EXPECT_EQ(app->m_Screen, kScreenMenu);
}

class GalleryTall : public Gallery {
  int StartWidth() override { return 480; }
  int StartHeight() override { return 640; }
};

TEST_F(GalleryTall, ButtonSitsLeftOfTheSoundSwitch) {
  ASSERT_EQ(vx_TumblastEndless_jscrw, 360);
  Click(180 - 64, 32);
  EXPECT_EQ(app->m_ShowBadges, 1);
  EXPECT_EQ(app->m_Settings[kSettingSound], kSoundAll);  // the sound switch beside it was not touched
}

}  // namespace
