// The virtual screen, text layout, the draw list and its replay into the
// window, and reloading the images when the window changes size.
#include <cmath>

#include "game/globals.h"
#include "tests/game/game_host.h"

namespace {

using Screen = GameTest;

TEST_F(Screen, VirtualScreenCoversTheWindow) {
  struct Case {
    int width, height;
    float scale, jscrw, jscrh;
    int mode;
  };
  for (const Case& c : {Case{1280, 600, 2, 640, 300, 1}, Case{600, 800, 800 / 480.0f, 360, 480, 2},
                        Case{800, 600, 1.25f, 640, 480, 1}}) {
    ResizeWindow(c.width, c.height);
    Render();
    EXPECT_NEAR(app->m_ScaleX, c.scale, 1e-4) << c.width << "x" << c.height;
    EXPECT_EQ(app->m_ScaleY, app->m_ScaleX);
    EXPECT_NEAR(vx_TumblastEndless_jscrw, c.jscrw, 1e-3) << c.width << "x" << c.height;
    EXPECT_NEAR(vx_TumblastEndless_jscrh, c.jscrh, 1e-3) << c.width << "x" << c.height;
    EXPECT_EQ(app->m_ScaleMode, c.mode) << c.width << "x" << c.height;
    EXPECT_EQ(app->m_Landscape, c.jscrw >= c.jscrh ? 1 : 0);
  }
}

TEST_F(Screen, WindowOfNoSizeKeepsThePreviousScale) {
  ResizeWindow(800, 600);
  Render();
  ASSERT_EQ(app->m_ScaleX, 1.25f);
  graphics->zeroSize = true;
  Render();
  EXPECT_EQ(app->m_ScaleX, 1.25f);
  EXPECT_EQ(app->m_ScaleY, 1.25f);
  EXPECT_EQ(vx_TumblastEndless_jscrw, 640);
  EXPECT_EQ(vx_TumblastEndless_jscrh, 480);
  Press(100, 100);
  Update(3);
  EXPECT_EQ(app->m_MouseX, 100);
  graphics->zeroSize = false;
  Render();
  EXPECT_EQ(app->m_ScaleX, 1.25f);
}

// Text with advance 16 and line height 16 at size 1.
class Text : public GameTest {
 protected:
  std::vector<Command> Lay(const String& text, float x, float y, float align, float lines) {
    app->m_CurrentFont = 90;
    app->m_ImageInfo[3 * kImgFont] = 16;
    app->m_ImageInfo[3 * kImgFont + 1] = 16;
    app->p_CLS2D(c_MyApp::kOmitted, 0, 0, 0);
    app->p_Text(x, y, text, align, lines);
    return Commands();
  }
  static void ExpectGlyph(const Command& c, char glyph, float x, float y) {
    EXPECT_EQ(c.kind(), 90);
    EXPECT_EQ(c.f[kCommandFrame], glyph - 32) << "glyph " << glyph;
    EXPECT_EQ(c.f[kCommandX], x) << "glyph " << glyph;
    EXPECT_EQ(c.f[kCommandY], y) << "glyph " << glyph;
  }
};

TEST_F(Text, CentredOnThePoint) {
  std::vector<Command> list = Lay(String("AB"), 100, 50, 1, 1);
  ASSERT_EQ(list.size(), 2u);
  ExpectGlyph(list[0], 'A', 92, 50);
  ExpectGlyph(list[1], 'B', 108, 50);
}

TEST_F(Text, LineBreakMovesDownALine) {
  std::vector<Command> list = Lay(String("A\\nB"), 0, 0, 0, 0);
  ASSERT_EQ(list.size(), 2u);
  ExpectGlyph(list[0], 'A', 0, 8);
  ExpectGlyph(list[1], 'B', 0, 24);
}

TEST_F(Text, SpaceAdvancesNulDoesNotLoneBackslashIsDrawn) {
  std::vector<Command> list = Lay(String("A B"), 0, 0, 0, 1);
  ASSERT_EQ(list.size(), 2u);
  ExpectGlyph(list[1], 'B', 32, 0);
  const String::Char units[] = {'A', 0, 'B'};
  list = Lay(String(units, 3), 0, 0, 0, 1);
  ASSERT_EQ(list.size(), 2u);
  ExpectGlyph(list[1], 'B', 16, 0);
  list = Lay(String("A\\B"), 0, 0, 0, 1);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[1].f[kCommandFrame], 60);
  ExpectGlyph(list[2], 'B', 32, 0);
}

TEST_F(Screen, ListKeeps2499CommandsAndDropsThe2500th) {
  app->p_CLS2D(c_MyApp::kOmitted, 0, 0, 0);
  for (int i = 0; i < 2498; ++i) app->p_Rect(i, 0, 1, 1);
  app->p_Rect(7777, 0, 1, 1);
  EXPECT_EQ(app->m_DrawCount, 2499 * kCommandFloats);
  EXPECT_EQ(app->m_DrawList[2498 * kCommandFloats + kCommandX], 7777);
  app->p_Oval(8888, 0, 1, 1);
  EXPECT_EQ(app->m_DrawCount, 2499 * kCommandFloats);
  EXPECT_NE(app->m_DrawList[2499 * kCommandFloats + kCommandX], 8888);
}

TEST_F(Screen, LoaderTakes26UpdatesAtLevel2For640) {
  int updates = 0;
  while (app->m_NeedLoad > 0 && updates < 60) {
    Step();
    updates += 1;
  }
  EXPECT_EQ(updates, 26);
  EXPECT_EQ(app->m_HdLevel, 2);
  EXPECT_EQ(app->m_ImageInfo[3 * kImgBricks], 128);
  EXPECT_EQ(app->m_ImageInfo[3 * kImgBricks + 1], 128);
  EXPECT_EQ(app->m_ImageInfo[3 * kImgBricks + 2], 40);
  EXPECT_NE(app->m_Images[kImgBricks], nullptr);
  EXPECT_NE(app->m_Images[kImgRing], nullptr);
  EXPECT_EQ(app->m_CurrentFont, 90);
  EXPECT_EQ(app->m_Screen, kScreenMenu);
}

TEST_F(Screen, ResolutionLevelOfReloadAndOfTheLoader) {
  struct Case {
    int width, height, reload, loader;
  };
  for (const Case& c : {Case{630, 400, 1, 1}, Case{640, 400, 2, 2}, Case{1230, 400, 2, 2},
                        Case{1231, 400, 4, 4}, Case{600, 631, 1, 2}, Case{1000, 1231, 2, 4}}) {
    ResizeWindow(c.width, c.height);
    Render();
    app->p_Reload();
    EXPECT_EQ(app->m_HdLevel, c.reload) << c.width << "x" << c.height;
    EXPECT_EQ(app->m_HdScale, 1.0f / c.reload);
    EXPECT_EQ(app->m_NeedLoad, 1);
    app->m_NeedLoad = 26;  // the loader's last step: its rule, no file
    Update();
    EXPECT_EQ(app->m_HdLevel, c.loader) << c.width << "x" << c.height;
    EXPECT_EQ(app->m_NeedLoad, 0);
  }
}

// An asset id without a slot loads nothing and leaves every table as it was.
TEST_F(Screen, AssetIdsOutsideTheTablesLoadNothing) {
  std::vector<int> info(app->m_ImageInfo.Data(), app->m_ImageInfo.Data() + app->m_ImageInfo.Length());
  const int font = app->m_CurrentFont;
  for (int id : {-1, 100, 300, -300}) {
    app->p_LoadImg(id, String("bricks"), 64, 64, 40, 1);
    app->p_LoadFont(id, String("fonts/quillset"), 7, 10);
    app->p_LoadSFX(id);
  }
  for (int i = 0; i < app->m_ImageInfo.Length(); ++i) EXPECT_EQ(app->m_ImageInfo[i], info[i]) << "entry " << i;
  EXPECT_EQ(app->m_CurrentFont, font);
  app->p_LoadSFX(kSoundIds - 1);
  app->p_LoadImg(kImageIds - 1, String("menu"), 256, 256, 4, 1);
  EXPECT_EQ(app->m_ImageInfo[3 * (kImageIds - 1) + 2], 4) << "the last id still loads";
}

using Resize = PlayTest;

TEST_F(Resize, DuringPlayReloadsImagesAndKeepsTheGame) {
  LayBoard(WithFiller({"1......."}));
  app->m_Score = app->m_ScoreShown = 1234;
  Step();
  ResizeWindow(1280, 720);
  Step();
  ASSERT_EQ(app->m_NeedLoad, 1) << "a new window size asks for a reload";
  std::vector<float> cells;
  for (int i = 0; i < 1800; ++i) cells.push_back(app->m_Cells[i]);
  int steps = 0;
  while (app->m_NeedLoad > 0 && steps < 60) {
    Step();
    steps += 1;
    for (int i = 0; i < 1800; ++i) ASSERT_EQ(app->m_Cells[i], cells[i]) << "float " << i << ", step " << steps;
  }
  EXPECT_EQ(steps, 26);
  EXPECT_EQ(app->m_HdLevel, 4);
  EXPECT_EQ(app->m_ImageInfo[3 * kImgBricks], 256);
  EXPECT_EQ(app->m_Screen, kScreenPlay);
  EXPECT_EQ(app->m_Score, 1234);
  Step();
  int bricks = 0;
  for (const Command& c : Commands()) bricks += c.kind() == kImgBricks;
  EXPECT_GE(bricks, 17 + 10 + 17) << "the board is drawn again";
  EXPECT_EQ(Type(1, 9), 1);
}

using Pixels = PlayTest;

TEST_F(Pixels, PlayScreenBackgroundReachesTheWindow) {
  LayBoard(WithFiller({}));
  app->m_BgRed = 255;
  app->m_BgGreen = 0;
  app->m_BgBlue = 0;
  Update();
  graphics->capture = true;
  Render();
  uint32_t p = Pixel(5, 300);
  EXPECT_GE(p >> 16 & 0xFF, 240u) << std::hex << p;
  EXPECT_LE(p >> 8 & 0xFF, 70u) << std::hex << p;
  EXPECT_LE(p & 0xFF, 70u) << std::hex << p;
}

TEST_F(Screen, ReplayScalesRectanglesAndOvalsToTheWindow) {
  ResizeWindow(1024, 480);  // scale 1.6
  Render();
  // Kind, x, y, rotation, w, h, frame, alpha, -, -, red, green, blue, blend.
  float rect[kCommandFloats] = {kRectCommand, 10, 10, 0, 20, 10, 0, 1, 0, 0, 0, 255, 0, 1, 0};
  float oval[kCommandFloats] = {kOvalCommand, 100, 100, 0, 20, 10, 0, 1, 0, 0, 0, 0, 255, 1, 0};
  float missing[kCommandFloats] = {50, 300, 200, 0, 1, 1, 0, 1, 0, 0, 255, 255, 255, 1, 0};
  for (int i = 0; i < kCommandFloats; ++i) {
    app->m_DrawList[i] = rect[i];
    app->m_DrawList[kCommandFloats + i] = oval[i];
    app->m_DrawList[2 * kCommandFloats + i] = missing[i];
  }
  app->m_DrawCount = 3 * kCommandFloats;
  app->m_ClsRed = app->m_ClsGreen = app->m_ClsBlue = 0;
  app->m_ClsAlpha = 1;
  graphics->capture = true;
  Render();
  EXPECT_EQ(Pixel(30, 24) & 0xFFFFFF, 0x00FF00u) << "inside the rectangle (16..48, 16..32)";
  EXPECT_EQ(Pixel(52, 24) & 0xFFFFFF, 0u) << "right of it";
  EXPECT_EQ(Pixel(30, 34) & 0xFFFFFF, 0u) << "below it";
  EXPECT_EQ(Pixel(160, 160) & 0xFFFFFF, 0x0000FFu) << "oval centre";
  EXPECT_EQ(Pixel(188, 160) & 0xFFFFFF, 0x0000FFu) << "inside the x radius of 32 pixels";
  EXPECT_EQ(Pixel(198, 160) & 0xFFFFFF, 0u) << "outside it";
  EXPECT_EQ(Pixel(480, 320) & 0xFFFFFF, 0u) << "an image that is not loaded draws nothing";
}

}  // namespace
