// Playing without a mouse: the board cursor by keys and by a gamepad.
#include <GLFW/glfw3.h>

#include <functional>
#include <set>

#include "framework/random.h"
#include "host/key_codes.h"
#include "tests/game/game_host.h"

namespace {

const int kLeft = VX_KEY_LEFT, kUp = VX_KEY_UP, kRight = VX_KEY_RIGHT, kDown = VX_KEY_DOWN;

// Block 1 at (4, 9) on two filler rows; (4, 11) is the lowest middle block.
class Cursor : public PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    if (HasFatalFailure()) return;
    LayBoard(WithFiller({"...1...."}));
  }

  void PlaceAt(int x, int y) {
    Tap(kUp);
    while (app->m_Cursor.col != x) Tap(app->m_Cursor.col < x ? kRight : kLeft);
    while (app->m_Cursor.row != y) Tap(app->m_Cursor.row < y ? kDown : kUp);
  }

  bool FrameDrawn() {
    for (const Command& c : Commands()) {
      if (c.kind() == kRectCommand && c.f[kCommandRed] == 255 && c.f[kCommandBlue] == 80) return true;
    }
    return false;
  }

  // The board and the held column after each update; `input` acts before it.
  std::vector<std::vector<float>> Record(const std::function<void(int)>& input) {
    LayBoard(WithFiller({"...1...."}));
    vx_random_Seed = 4242;
    std::vector<std::vector<float>> boards;
    for (int i = 0; i < 60; ++i) {
      input(i);
      Update();
      boards.emplace_back(&app->m_Cells[0], &app->m_Cells[0] + app->m_Cells.Length());
      boards.back().push_back(static_cast<float>(app->m_HeldCol));
    }
    return boards;
  }
};

TEST_F(Cursor, MovesByKeysAndStopsAtTheWallsTopAndBottom) {
  struct Case {
    int key, taps, col, row;
  } cases[] = {
      {0, 0, 0, 0},  // hidden until a key
      {kRight, 1, 4, 11}, {kRight, 2, 6, 11}, {VX_KEY_D, 9, 8, 11}, {VX_KEY_A, 1, 7, 11}, {kLeft, 9, 1, 11},
      {VX_KEY_W, 3, 1, 8}, {kUp, 12, 1, 0},   {VX_KEY_S, 1, 1, 1},  {kDown, 20, 1, 16},
  };
  for (const Case& c : cases) {
    for (int i = 0; i < c.taps; ++i) Tap(c.key);
    EXPECT_EQ(FrameDrawn(), c.col != 0) << c.key;
    if (c.col == 0) continue;
    EXPECT_EQ(app->m_MouseX, static_cast<int>(CellX(c.col))) << c.key;
    EXPECT_EQ(app->m_MouseY, static_cast<int>(CellY(c.row))) << c.key;
    EXPECT_EQ(app->m_MouseDown, 0);
  }
}

TEST_F(Cursor, AHeldDirectionRepeatsAfterFifteenUpdatesThenEverySix) {
  PlaceAt(1, 11);
  KeyDown(kRight);
  std::vector<int> steps;
  for (int update = 1; update <= 40; ++update) {
    int before = app->m_Cursor.col;
    Update();
    if (app->m_Cursor.col != before) steps.push_back(update);
  }
  EXPECT_EQ(steps, (std::vector<int>{1, 16, 22, 28, 34, 40}));
}

TEST_F(Cursor, SlidingByKeysGivesTheBoardsOfTheMouseUpdateByUpdate) {
  auto byMouse = Record([this](int i) {
    if (i == 0) Press(CellX(4), CellY(9));
    if (i == 10 || i == 30) MoveTo(CellX(i == 10 ? 5 : 6), CellY(9));
    if (i == 50) Release();
  });
  PlaceAt(4, 9);
  auto byKeys = Record([this](int i) {
    if (i == 0 || i == 50) (i == 0 ? KeyDown(VX_KEY_SPACE) : KeyUp(VX_KEY_SPACE));
    if (i == 10 || i == 30) KeyDown(kRight);
    if (i == 11 || i == 31) KeyUp(kRight);
  });
  for (size_t i = 0; i < byMouse.size(); ++i) ASSERT_EQ(byKeys[i], byMouse[i]) << "update " << i;
  EXPECT_EQ(byKeys[20].back(), 5);
  EXPECT_EQ(Type(6, 9), 1) << "two cells right";
  EXPECT_EQ(app->m_Cursor.col, 6) << "the cursor followed the block";
}

TEST_F(Cursor, ABombHeldByTheActionKeyExplodes) {
  LayBoard(WithFiller({"...B...."}));
  PlaceAt(4, 9);
  KeyDown(VX_KEY_SPACE);
  int update = 0;
  for (; update < 120 && Type(4, 9) == kBomb; ++update) Update();
  EXPECT_EQ(Type(4, 9), kBomb + kDissolving);
  EXPECT_NEAR(update, 80, 8);
}

TEST_F(Cursor, TheMouseHidesItAndAKeyBringsItBackWhereItWas) {
  PlaceAt(2, 8);
  MoveTo(300, 200);
  Update();
  EXPECT_FALSE(FrameDrawn());
  EXPECT_EQ(app->m_MouseX, 300);
  Tap(VX_KEY_SPACE);
  EXPECT_TRUE(FrameDrawn());
  EXPECT_EQ(app->m_MouseX, static_cast<int>(CellX(2)));
  EXPECT_EQ(app->m_Holding, 0) << "showing it presses nothing";
  Press(CellX(4), CellY(9));
  Update();
  EXPECT_FALSE(FrameDrawn());
  EXPECT_EQ(app->m_HeldCol, 4) << "the mouse's own press";
}

TEST_F(Cursor, AKeyTapShorterThanOneUpdatePausesOnce) {
  for (int paused : {1, 0}) {
    KeyDown(VX_KEY_ESCAPE);
    KeyUp(VX_KEY_ESCAPE);
    Update(40);
    EXPECT_EQ(app->m_Paused, paused);
  }
}

TEST_F(Cursor, AGamepadFeedsTheLogicalKeysAndLetsGoWhenPulledOut) {
  const int codes[] = {kKeyUp,      kKeyLeft,    kKeyRight,   kKeyDown, kKeyAction,
                       kKeyAction2, kKeyAction3, kKeyAction4, kKeyBack};
  struct Case {
    int button;  // -1: the left stick alone
    float x, y;
    std::set<int> held;
  } cases[] = {
      {GLFW_GAMEPAD_BUTTON_DPAD_UP, 0, 0, {kKeyUp}},     {GLFW_GAMEPAD_BUTTON_DPAD_RIGHT, 0, 0, {kKeyRight}},
      {GLFW_GAMEPAD_BUTTON_DPAD_DOWN, 0, 0, {kKeyDown}}, {GLFW_GAMEPAD_BUTTON_DPAD_LEFT, 0, 0, {kKeyLeft}},
      {GLFW_GAMEPAD_BUTTON_A, 0, 0, {kKeyAction}},       {GLFW_GAMEPAD_BUTTON_B, 0, 0, {kKeyBack}},
      {GLFW_GAMEPAD_BUTTON_START, 0, 0, {kKeyBack}},     {GLFW_GAMEPAD_BUTTON_X, 0, 0, {kKeyAction3}},
      {GLFW_GAMEPAD_BUTTON_Y, 0, 0, {kKeyAction4}},      {GLFW_GAMEPAD_BUTTON_GUIDE, 0, 0, {}},
      {-1, -1, 0, {kKeyLeft}},                           {-1, 0.9f, 0, {kKeyRight}},
      {-1, 0, -0.5f, {kKeyUp}},                          {-1, 0.3f, 0.3f, {}},
  };
  host->padPlugged = true;
  for (const Case& c : cases) {
    for (unsigned char& b : host->padButtons) b = c.button >= 0 && &b == &host->padButtons[c.button];
    host->padAxes[0] = c.x;
    host->padAxes[1] = c.y;
    Update();
    std::set<int> held;
    for (int code : codes) {
      if (app->p_PlayKey(code)) held.insert(code);
    }
    EXPECT_EQ(held, c.held) << "button " << c.button << ", stick " << c.x << " " << c.y;
  }
  // B and start paused the game above. A holds the block, the stick
  // slides it, and pulling the pad out lets go of both.
  LayBoard(WithFiller({"...1...."}));
  app->m_Paused = 0;
  PlaceAt(4, 9);
  host->padButtons[GLFW_GAMEPAD_BUTTON_A] = 1;
  Update(2);
  host->padAxes[0] = 1;
  Update(8);
  EXPECT_EQ(app->m_HeldCol, 5);
  host->padPlugged = false;
  Update();
  EXPECT_FALSE(app->p_PlayKey(kKeyAction) || app->p_PlayKey(kKeyRight));
  EXPECT_EQ(app->m_Holding, 0);
}

}  // namespace
