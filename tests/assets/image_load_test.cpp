// The generated images through the game's own loaders on a real OpenGL
// device: every file at every level becomes an image of the frames the game
// asks for, the default font strip loads with its padding flag, and frames
// draw what they should.
#include "asset_support.h"
#include "graphics/graphics.h"
#include "graphics/image.h"
#include "tests/graphics/graphics_test_support.h"

namespace {

class GameImages : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    // The loaders read "data/..." below the working directory, as the game does.
    EnterGameFolder(dir, VX_DIST_DIR "/data");
  }
};

TEST_F(GameImages, EveryFileLoadsAsTheFramesTheGameAsksFor) {
  for (const AssetImage& entry : kGameImages)
    for (const Level& level : kLevels) {
      std::string file = std::string(entry.name) + level.suffix + ".png";
      SCOPED_TRACE(file);
      int fw = entry.frameW * level.scale, fh = entry.frameH * level.scale;
      c_Image* image = vx_graphics_LoadImage2(String(file.c_str()), fw, fh, entry.frames, c_Image::MidHandle);
      ASSERT_NE(image, nullptr);
      EXPECT_EQ(image->width, fw);
      EXPECT_EQ(image->height, fh);
      ASSERT_EQ(image->frames.Length(), entry.frames);
      EXPECT_FLOAT_EQ(image->handleX, fw * 0.5f);
      EXPECT_FLOAT_EQ(image->handleY, fh * 0.5f);
      // Frames run left to right, then down, inside the texture.
      c_Frame* last = image->frames[entry.frames - 1];
      EXPECT_LE(last->x + fw, image->surface->Width());
      EXPECT_LE(last->y + fh, image->surface->Height());
      if (entry.frames > 1) {
        EXPECT_EQ(image->frames[1]->x, fw);
        EXPECT_EQ(image->frames[1]->y, 0);
      }
      EXPECT_LE(image->surface->Width(), 4096);
      EXPECT_LE(image->surface->Height(), 4096);
    }
}

TEST_F(GameImages, DefaultFontLoadsAsNinetySixPaddedGlyphs) {
  c_Image* font = vx_graphics_LoadImage(String("oxle_font.png"), 96, c_Image::XPadding);
  ASSERT_NE(font, nullptr);
  ASSERT_EQ(font->frames.Length(), 96);
  int cell = font->surface->Width() / 96;
  EXPECT_EQ(font->width, cell - 2);
  EXPECT_EQ(font->height, font->surface->Height());
  EXPECT_EQ(font->frames[1]->x, cell + 1);
  // And the module finds it by itself when no font is given.
  vx_graphics_SetFont(nullptr, 0);
  EXPECT_NE(vx_graphics_context->font, nullptr);
  EXPECT_EQ(vx_graphics_context->firstChar, 32);
}

TEST_F(GameImages, BlockFramesDrawTheirColoursWithTheFaceLowerLeft) {
  c_Image* bricks = vx_graphics_LoadImage2(String("bricks.png"), 64, 64, 40, c_Image::MidHandle);
  ASSERT_NE(bricks, nullptr);
  // Red block (type 1), blue block (type 6) and a wall stone, centred at
  // (100, 100), (200, 100) and (300, 100).
  vx_graphics_DrawImage(bricks, 100, 100, 0);
  vx_graphics_DrawImage(bricks, 200, 100, 5);
  vx_graphics_DrawImage(bricks, 300, 100, 10);
  Finish();
  // The face centre lies 8 left of and 8 below the frame centre.
  uint32_t red = Pixel(92 + 8, 108 - 10), blue = Pixel(192 + 8, 108 - 10), stone = Pixel(292, 108);
  EXPECT_GT(Red(red), 150);
  EXPECT_LT(Blue(red), 120);
  EXPECT_GT(Blue(blue), 150);
  EXPECT_LT(Red(blue), 120);
  EXPECT_NEAR(Red(stone), Blue(stone), 40) << "stone is grey";
  EXPECT_GT(Red(stone), 40);
  // The corners a 3-D brick leaves open show the black window behind.
  EXPECT_TRUE(RgbNear(Pixel(100 - 30, 100 - 30), 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(100 + 30, 100 + 30), 0, 0, 0));
}

}  // namespace
