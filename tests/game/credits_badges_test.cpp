// The credits box (layout, flight, scroll, closing, the menu beneath it),
// the badge pop-ups and the badge texts.
#include <string>
#include <vector>

#include "tests/game/game_host.h"

namespace {

class Credits : public MenuTest {
 protected:
  // Presses the studio logo for one update: the box opens and draws its first frame.
  void Open() {
    Press(vx_TumblastEndless_jscrw - 70, vx_TumblastEndless_jscrh - 40);
    Update();
    Release();
    ASSERT_EQ(app->m_ShowCredits, 1);
  }
  // Base (inset = false) or inset of tile (x, y). The bases are the squares
  // as wide as the first black one, column by column; each inset or ramp
  // strip follows its base.
  Command Tile(int x, int y, bool inset = false) {
    std::vector<Command> list = Commands();
    std::vector<size_t> bases;
    float side = -1;
    for (size_t i = 0; i < list.size(); ++i) {
      const Command& c = list[i];
      if (c.kind() != kRectCommand || c.f[kCommandW] != c.f[kCommandH]) continue;
      if (side < 0 && Rgb(c) == std::vector<float>{0, 0, 0}) side = c.f[kCommandW];
      if (c.f[kCommandW] == side) bases.push_back(i);
    }
    return list.at(bases.at(x * (app->m_CreditsB + 1) + y) + inset);
  }
  // Text lines between the header and the bottom button, by glyph height;
  // spaces are not drawn.
  std::vector<std::pair<float, std::string>> Slots() {
    std::vector<std::pair<float, std::string>> lines;
    std::vector<Command> list = Commands();
    for (int i = Find(kImgTestcard); i < Find(kImgTitleLogo, 0.4f); ++i) {
      if (list[i].kind() != app->m_CurrentFont) continue;
      if (lines.empty() || lines.back().first != list[i].f[kCommandY]) lines.push_back({list[i].f[kCommandY], ""});
      lines.back().second += static_cast<char>(list[i].f[kCommandFrame] + 32);
    }
    return lines;
  }
  std::vector<float> Rgb(const Command& c) { return {c.f[kCommandRed], c.f[kCommandGreen], c.f[kCommandBlue]}; }
};

TEST_F(Credits, LayoutAt640x480FliesInOver30Updates) {
  const float c = 640.0f / 12;
  Open();  // fade 0: k = 30, tiles of no size far outside, header 720 units up
  EXPECT_EQ(app->m_CreditsA, 12);
  EXPECT_EQ(app->m_CreditsB, 9);
  EXPECT_FLOAT_EQ(app->m_BoardLeft, 0);
  EXPECT_FLOAT_EQ(app->m_BoardTop, 0);
  EXPECT_FLOAT_EQ(Tile(0, 0).f[kCommandX], -30 * 49);
  EXPECT_FLOAT_EQ(Tile(12, 9).f[kCommandY], 480 + 30 * 25);
  EXPECT_FLOAT_EQ(Tile(0, 0).f[kCommandW], 1);
  EXPECT_FLOAT_EQ(At(Find(kImgTestcard)).f[kCommandY], 240 - 720);
  Update(30);
  EXPECT_FLOAT_EQ(Tile(0, 0).f[kCommandX], -c / 2);
  EXPECT_FLOAT_EQ(Tile(12, 9).f[kCommandY], 9 * c - c / 2);
  EXPECT_FLOAT_EQ(Tile(0, 0).f[kCommandW], c + 1);
  EXPECT_FLOAT_EQ(At(Find(kImgTestcard)).f[kCommandY], 240);
  EXPECT_FLOAT_EQ(At(Find(kOvalCommand)).f[kCommandX], 1.5f * c);       // first dial
  EXPECT_EQ(Rgb(Tile(6, 0, true)), (std::vector<float>{255, 255, 0}));  // ramp held at 255
  EXPECT_EQ(Rgb(Tile(0, 8, true)), (std::vector<float>{0, 0, 255}));
  EXPECT_FLOAT_EQ(Tile(4, 8, true).f[kCommandW], c + 24);  // the bar
  EXPECT_FLOAT_EQ(Tile(9, 8, true).f[kCommandW], c + 4);
}

class CreditsWide : public Credits {
  int StartHeight() override { return 300; }
};

TEST_F(CreditsWide, LayoutAt640x300) {
  Open();
  Update(30);
  EXPECT_EQ(app->m_CreditsA, 12);
  EXPECT_EQ(app->m_CreditsB, 5);
  EXPECT_FLOAT_EQ(app->m_BoardLeft, 0);
  EXPECT_NEAR(app->m_BoardTop, 16.6667f, 1e-3f);
  EXPECT_FLOAT_EQ(Tile(12, 5).f[kCommandY], app->m_BoardTop + 5 * 640.0f / 12 - 640.0f / 24);
  EXPECT_FLOAT_EQ(Tile(12, 5).f[kCommandW], 640.0f / 12 + 1);
}

TEST_F(Credits, ScrollAdvancesALineEvery54UpdatesAndSkipsTheLast) {
  Open();
  Update(52);
  EXPECT_EQ(app->m_CreditsLine, 0);
  Update();
  EXPECT_EQ(app->m_CreditsLine, 1);
  EXPECT_EQ(Slots()[1].second, "AGameby");  // slots -3..-1 hold entries 36, 37, 0
  EXPECT_NEAR(Slots()[1].first, 240 + app->m_CreditsScroll, 1.5f);
  app->m_CreditsLine = 37;
  Update();
  std::vector<std::string> texts;
  for (auto& line : Slots()) texts.push_back(line.second);
  EXPECT_EQ(texts, (std::vector<std::string>{"washandy!", "-=-=-", "AGameby", "@zukogames", "zukogames.net"}));
  int ends = 0;
  for (int i = 0; i < 54 * 39; ++i, Update()) {
    for (auto& line : Slots()) ends += line.second == "End";
  }
  EXPECT_EQ(ends, 0);
}

TEST_F(Credits, PressWhileFadingOutOnlyPlaysTheSoundAgain) {
  Open();
  Update(30);
  Press(100, 50);
  Update();
  Release();
  Update(5);
  ASSERT_EQ(app->m_ShowCredits, 0);
  ASSERT_EQ(app->m_CreditsFade, 24);
  const int slot = app->m_SfxSlot, difficulty = app->m_Difficulty;
  Press(100, 50);
  Update(2);
  EXPECT_EQ(app->m_SfxSlot, slot + 1);  // once per press
  EXPECT_EQ(app->m_ShowCredits, 0);
  EXPECT_EQ(app->m_CreditsFade, 22);
  EXPECT_EQ(app->m_Screen, kScreenMenu);
  EXPECT_EQ(app->m_Difficulty, difficulty);
}

TEST_F(Credits, OpenBoxDisablesTheMenuAndHidesThePanels) {
  auto panelGlyphs = [&] {
    int count = 0;
    for (const Command& c : Commands()) count += c.kind() == app->m_CurrentFont && c.f[kCommandW] == 1.5f;
    return count;
  };
  ASSERT_GT(panelGlyphs(), 0);
  Open();
  Update();
  EXPECT_EQ(panelGlyphs(), 0);
  const int difficulty = app->m_Difficulty;
  for (int key : {VX_KEY_DOWN, VX_KEY_Z}) {  // down, the first action button
    KeyDown(key);
    Update();
    KeyUp(key);
  }
  Press(640 * 0.6f, 480 * 0.7f);  // the third difficulty: only closes the box
  Update();
  EXPECT_EQ(app->m_Screen, kScreenMenu);
  EXPECT_EQ(app->m_Difficulty, difficulty);
  EXPECT_EQ(app->m_ShowCredits, 0);
}

class Badges : public Credits {};

TEST_F(Badges, PopUpSlidesInStaysAndLeaves) {
  auto box = [&] { return At(Find(kRectCommand, 160)); };
  app->m_BadgeQueueB[0] = 1;
  Update();
  EXPECT_EQ(box().f[kCommandW], 160);
  EXPECT_FLOAT_EQ(box().f[kCommandX], -144);
  EXPECT_FLOAT_EQ(box().f[kCommandY], 480 - 34);
  EXPECT_FLOAT_EQ(At(Find(kImgBadges)).f[kCommandX], 0);
  Update(9);
  EXPECT_FLOAT_EQ(box().f[kCommandX], 0);
  Update(221);
  EXPECT_FLOAT_EQ(box().f[kCommandX], -16);
  Update(9);
  EXPECT_EQ(app->m_BadgeQueueB[0], 0);
  EXPECT_FLOAT_EQ(box().f[kCommandX], -160);
  Update();
  EXPECT_EQ(Find(kImgBadges), -1);
}

TEST_F(Badges, IdsPast63HaveNoIconAndTexts) {
  for (int i = 0; i < 13; ++i) {
    app->m_BadgeQueueA[i] = 64 + i;
    app->m_BadgeQueueB[i] = 50;
  }
  Update();
  EXPECT_EQ(Find(kImgBadges), -1);
  EXPECT_FLOAT_EQ(At(static_cast<int>(Commands().size()) - 1).f[kCommandY], 480 - 13 * 34);
  EXPECT_EQ(Std(app->p_BadgeName(0)), "Test Badge");
  EXPECT_EQ(Std(app->p_BadgeName(4)), "");  // no badge of the set has id 4
  EXPECT_EQ(Std(app->p_BadgeDetail(0)), "This is a Test Badge which has no purpose.");
  EXPECT_EQ(Std(app->p_BadgeDetail(4)), "");
}

}  // namespace
