// Playing without a mouse: the board cursor by keys and by a gamepad, and
// quick key taps that fall between two updates.
#include <functional>
#include <set>

#include <GLFW/glfw3.h>

#include "framework/input.h"
#include "framework/random.h"
#include "host/key_codes.h"
#include "tests/game/game_host.h"

namespace {

const int kLeft = VX_KEY_LEFT, kUp = VX_KEY_UP, kRight = VX_KEY_RIGHT, kDown = VX_KEY_DOWN;
const int kSpace = VX_KEY_SPACE, kEscape = VX_KEY_ESCAPE;

// The held block and the lowest middle block of this board: (4, 9) is the
// block, (4, 11) the lowest block of columns 4 and 5.
class Cursor : public PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    if (HasFatalFailure()) return;
    LayBoard(WithFiller({"...1...."}));
    Update();
  }

  // Shows the cursor and puts it on cell (x, y) by taps.
  void PlaceAt(int x, int y) {
    Tap(kUp);
    ASSERT_TRUE(app->m_Cursor.shown);
    while (app->m_Cursor.col < x) Tap(kRight);
    while (app->m_Cursor.col > x) Tap(kLeft);
    while (app->m_Cursor.row < y) Tap(kDown);
    while (app->m_Cursor.row > y) Tap(kUp);
  }

  // Whether this update's list holds the cursor's bright frame.
  bool FrameDrawn() {
    for (const Command& c : Commands()) {
      if (c.kind() == kRectCommand && c.f[kCommandRed] == 255 && c.f[kCommandBlue] != 255 && c.f[kCommandAlpha] == 1) {
        return true;
      }
    }
    return false;
  }

  // The board, update by update, while `input` acts before each update.
  std::vector<std::vector<float>> Record(int updates, const std::function<void(int)>& input) {
    LayBoard(WithFiller({"...1...."}));
    vx_random_Seed = 4242;
    std::vector<std::vector<float>> boards;
    for (int i = 0; i < updates; ++i) {
      input(i);
      Update();
      boards.emplace_back();
      for (int k = 0; k < app->m_Cells.Length(); ++k) boards.back().push_back(app->m_Cells[k]);
      boards.back().push_back(static_cast<float>(app->m_HeldCol));
    }
    return boards;
  }
};

TEST_F(Cursor, MovesByKeysAndStopsAtTheWallsTopAndBottom) {
  struct Case {
    int key, taps, col, row;
    bool shown;
  } cases[] = {
      {0, 0, 0, 0, false},     // hidden until a key
      {kRight, 1, 4, 11, true},  // the first key shows it on the lowest middle block
      {kRight, 2, 6, 11, true},
      {VX_KEY_D, 9, 8, 11, true},  // the right wall; the right wall
      {VX_KEY_A, 1, 7, 11, true},
      {kLeft, 9, 1, 11, true},  // the left wall
      {VX_KEY_W, 3, 1, 8, true},
      {kUp, 12, 1, 0, true},    // the top row
      {VX_KEY_S, 1, 1, 1, true},
      {kDown, 20, 1, 16, true}, // the bottom row
  };
  for (const Case& c : cases) {
    for (int i = 0; i < c.taps; ++i) Tap(c.key);
    EXPECT_EQ(app->m_Cursor.shown, c.shown) << c.key;
    if (!c.shown) continue;
    EXPECT_EQ(app->m_Cursor.col, c.col) << c.key;
    EXPECT_EQ(app->m_Cursor.row, c.row) << c.key;
    EXPECT_TRUE(FrameDrawn());
    EXPECT_EQ(app->m_MouseX, static_cast<int>(CellX(c.col))) << "the pointer is the cell's middle";
    EXPECT_EQ(app->m_MouseY, static_cast<int>(CellY(c.row)));
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
  KeyUp(kRight);
  EXPECT_EQ(steps, (std::vector<int>{1, 16, 22, 28, 34, 40}));
}

TEST_F(Cursor, SlidingByKeysGivesTheBoardsOfTheMouseUpdateByUpdate) {
  // Press on (4, 9), drag one cell right at update 10 and another at 30,
  // let go at 50.
  auto byMouse = Record(60, [this](int i) {
    if (i == 0) Press(CellX(4), CellY(9));
    if (i == 10) MoveTo(CellX(5), CellY(9));
    if (i == 30) MoveTo(CellX(6), CellY(9));
    if (i == 50) Release();
  });
  PlaceAt(4, 9);
  auto byKeys = Record(60, [this](int i) {
    if (i == 0) KeyDown(kSpace);
    if (i == 10 || i == 30) KeyDown(kRight);
    if (i == 11 || i == 31) KeyUp(kRight);
    if (i == 50) KeyUp(kSpace);
  });
  ASSERT_EQ(byMouse.size(), byKeys.size());
  for (size_t i = 0; i < byMouse.size(); ++i) ASSERT_EQ(byKeys[i], byMouse[i]) << "update " << i;
  EXPECT_EQ(Type(6, 9), 1) << "the block went two cells right";
  EXPECT_EQ(byKeys[20].back(), 5);
  EXPECT_EQ(app->m_Holding, 0);
  EXPECT_EQ(app->m_Cursor.col, 6) << "the cursor followed the block";
}

TEST_F(Cursor, APressAheadOfABlockThatCannotSlideGoesBackOntoIt) {
  LayBoard(WithFiller({"...12..."}));
  PlaceAt(4, 9);
  KeyDown(kSpace);
  Update(2);
  ASSERT_EQ(app->m_Holding, 1);
  Tap(kRight);
  Update();
  EXPECT_EQ(app->m_HeldCol, 4);
  EXPECT_EQ(app->m_Cursor.col, 4);
  KeyUp(kSpace);
}

TEST_F(Cursor, ABombHeldByTheActionKeyExplodes) {
  LayBoard(WithFiller({"...B...."}));
  PlaceAt(4, 9);
  KeyDown(kSpace);
  int update = 0;
  while (update < 120 && Type(4, 9) == 10) {
    Update();
    update += 1;
  }
  EXPECT_EQ(Type(4, 9), 40) << "dissolving after the blast";
  EXPECT_NEAR(update, 80, 8) << "about 80 updates of holding still";
  EXPECT_GT(AliveParticles(), 0);
  KeyUp(kSpace);
}

TEST_F(Cursor, TheMouseHidesItAndAKeyBringsItBackWhereItWas) {
  PlaceAt(2, 8);
  MoveTo(300, 200);
  Update();
  EXPECT_FALSE(app->m_Cursor.shown);
  EXPECT_FALSE(FrameDrawn());
  EXPECT_EQ(app->m_MouseX, 300) << "the pointer is the mouse's again";
  Tap(kSpace);
  EXPECT_TRUE(app->m_Cursor.shown);
  EXPECT_EQ(app->m_Cursor.col, 2);
  EXPECT_EQ(app->m_Cursor.row, 8);
  EXPECT_EQ(app->m_Holding, 0) << "showing it presses nothing";
  // A press of the mouse button hides it too, and the press is the mouse's.
  Press(CellX(4), CellY(9));
  Update();
  EXPECT_FALSE(app->m_Cursor.shown);
  EXPECT_EQ(app->m_HeldCol, 4);
  Release();
  Update();
}

TEST_F(Cursor, AKeyTapShorterThanOneUpdatePausesOnce) {
  KeyDown(kEscape);
  KeyUp(kEscape);
  Update(5);
  EXPECT_EQ(app->m_Paused, 1);
  KeyDown(kEscape);
  KeyUp(kEscape);
  Update(40);
  EXPECT_EQ(app->m_Paused, 0) << "a second tap resumes";
}

TEST_F(Cursor, AGamepadDrivesTheLogicalKeysAndLetsGoWhenUnplugged) {
  const int codes[] = {kKeyUp, kKeyLeft, kKeyRight, kKeyDown, kKeyAction, kKeyAction2,
                       kKeyAction3, kKeyAction4, kKeyBack};
  struct Case {
    int button;  // gamepad button, or -1 for the left stick alone
    float x, y;
    std::set<int> held;
  } cases[] = {
      {GLFW_GAMEPAD_BUTTON_DPAD_UP, 0, 0, {kKeyUp}},
      {GLFW_GAMEPAD_BUTTON_DPAD_RIGHT, 0, 0, {kKeyRight}},
      {GLFW_GAMEPAD_BUTTON_DPAD_DOWN, 0, 0, {kKeyDown}},
      {GLFW_GAMEPAD_BUTTON_DPAD_LEFT, 0, 0, {kKeyLeft}},
      {GLFW_GAMEPAD_BUTTON_A, 0, 0, {kKeyAction}},
      {GLFW_GAMEPAD_BUTTON_B, 0, 0, {kKeyBack}},
      {GLFW_GAMEPAD_BUTTON_START, 0, 0, {kKeyBack}},
      {GLFW_GAMEPAD_BUTTON_X, 0, 0, {kKeyAction3}},
      {GLFW_GAMEPAD_BUTTON_Y, 0, 0, {kKeyAction4}},
      {GLFW_GAMEPAD_BUTTON_GUIDE, 0, 0, {}},
      {-1, -1, 0, {kKeyLeft}},
      {-1, 0.9f, 0, {kKeyRight}},
      {-1, 0, -0.5f, {kKeyUp}},
      {-1, 0.3f, 0.3f, {}},  // inside the dead zone
  };
  host->padPlugged = true;
  for (const Case& c : cases) {
    for (unsigned char& b : host->padButtons) b = 0;
    host->padAxes[0] = c.x;
    host->padAxes[1] = c.y;
    if (c.button >= 0) host->padButtons[c.button] = 1;
    Update();
    std::set<int> held;
    for (int code : codes) {
      if (app->p_PlayKey(code)) held.insert(code);
    }
    EXPECT_EQ(held, c.held) << "button " << c.button << " stick " << c.x << "," << c.y;
  }
  EXPECT_EQ(vx_input_device->joyStates[0]->joyZ[0], 0.0f) << "a trigger at rest";

  // The buttons above paused the game; start again with the cursor on the
  // block. A presses, the stick slides it; pulling the pad out lets go of
  // everything.
  LayBoard(WithFiller({"...1...."}));
  app->m_Paused = 0;
  Update();
  PlaceAt(4, 9);
  host->padButtons[GLFW_GAMEPAD_BUTTON_A] = 1;
  Update(2);
  ASSERT_EQ(app->m_Holding, 1);
  host->padAxes[0] = 1;
  Update(8);
  EXPECT_EQ(app->m_HeldCol, 5);
  host->padPlugged = false;
  Update();
  EXPECT_FALSE(app->p_PlayKey(10));
  EXPECT_FALSE(app->p_PlayKey(5));
  EXPECT_EQ(app->m_Holding, 0);
}

}  // namespace
