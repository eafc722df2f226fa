#include <gtest/gtest.h>

#include "tests/graphics/context_test_support.h"

namespace {

const uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0;

class ContextDraw : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // 8x4: red on the left half, green on the right.
    WritePng(DataPath("halves.png"), 8, 4, [](int x, int) { return x < 4 ? 0xFFFF0000u : 0xFF00FF00u; });
    // 16x16 quadrants: red, green / blue, white.
    WritePng(DataPath("cells.png"), 16, 16, [](int x, int y) {
      static const uint32_t quadrant[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
      return quadrant[(y >= 8) * 2 + (x >= 8)];
    });
  }
  void SetUp() override {
    device = TestDevice();
    BeginTestFrame();
  }
  void TearDown() override { EndTestFrame(); }

  // The four corners of the quad in the device's emptied batch.
  std::vector<gxtkGraphics::Vertex> Quad() {
    return std::vector<gxtkGraphics::Vertex>(device->vertexArray, device->vertexArray + 4);
  }

  RecordingDevice* device = nullptr;
};

void ExpectSameQuad(const std::vector<gxtkGraphics::Vertex>& p, const std::vector<gxtkGraphics::Vertex>& q) {
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(p[i].x, q[i].x) << i;
    EXPECT_EQ(p[i].y, q[i].y) << i;
    EXPECT_EQ(p[i].u, q[i].u) << i;
    EXPECT_EQ(p[i].v, q[i].v) << i;
  }
}

TEST_F(ContextDraw, DrawImagePutsTheHandleOnThePosition) {
  c_Image* image = vx_graphics_LoadImage(String("halves.png"), 1, c_Image::MidHandle);
  ASSERT_NE(image, nullptr);
  vx_graphics_DrawImage(image, 100, 100, 0);
  device->Flush();
  // Covers x 96..103 and y 98..101.
  EXPECT_EQ(PixelAt(97, 99), kRed);
  EXPECT_EQ(PixelAt(102, 100), kGreen);
  EXPECT_EQ(PixelAt(95, 99), kBlack);
  EXPECT_EQ(PixelAt(104, 99), kBlack);
  EXPECT_EQ(PixelAt(98, 97), kBlack);
  EXPECT_EQ(PixelAt(98, 102), kBlack);
}

TEST_F(ContextDraw, HandleIsSubtractedBeforeTheMatrixApplies) {
  c_Image* image = vx_graphics_LoadImage(String("halves.png"), 1, c_Image::MidHandle);
  vx_graphics_Scale(2, 2);
  vx_graphics_DrawImage(image, 50, 50, 0);
  std::vector<gxtkGraphics::Vertex> quad = Quad();
  EXPECT_EQ(quad[0].x, 92);
  EXPECT_EQ(quad[0].y, 96);
  EXPECT_EQ(quad[2].x, 108);
  EXPECT_EQ(quad[2].y, 104);
}

TEST_F(ContextDraw, DrawImage2WithoutRotationOrScaleDrawsWhereDrawImageDraws) {
  c_Image* whole = vx_graphics_LoadImage(String("halves.png"), 1, c_Image::MidHandle);
  c_Image* cells = vx_graphics_LoadImage2(String("cells.png"), 8, 8, 4, 0);
  cells->p_SetHandle(2.5f, 3.25f);
  for (c_Image* image : {whole, cells}) {
    vx_graphics_Cls(0, 0, 0);
    vx_graphics_DrawImage(image, 200.5f, 100.25f, 0);
    std::vector<gxtkGraphics::Vertex> plain = Quad();
    vx_graphics_Cls(0, 0, 0);
    vx_graphics_PushMatrix();
    vx_graphics_DrawImage2(image, 200.5f, 100.25f, 0, 1, 1, 0);
    EXPECT_EQ(vx_graphics_context->matrixSp, 6);
    vx_graphics_PopMatrix();
    ExpectSameQuad(Quad(), plain);
  }
  EXPECT_EQ(vx_graphics_context->matrixSp, 0);
  EXPECT_FALSE(vx_graphics_context->transformed);
}

TEST_F(ContextDraw, DrawImage2RotatesAndScalesAboutTheHandle) {
  c_Image* image = vx_graphics_LoadImage(String("halves.png"), 1, c_Image::MidHandle);
  vx_graphics_DrawImage2(image, 200, 100, 90, 2, 2, 0);
  device->Flush();
  // Turned a quarter counter-clockwise and doubled: 8 wide, 16 tall, the
  // green half on top, centred on (200, 100).
  EXPECT_EQ(PixelAt(200, 94), kGreen);
  EXPECT_EQ(PixelAt(197, 98), kGreen);
  EXPECT_EQ(PixelAt(202, 102), kRed);
  EXPECT_EQ(PixelAt(200, 106), kRed);
  EXPECT_EQ(PixelAt(194, 100), kBlack);
  EXPECT_EQ(PixelAt(205, 100), kBlack);
  EXPECT_EQ(PixelAt(200, 90), kBlack);
  EXPECT_EQ(PixelAt(200, 109), kBlack);
  // The matrix of the frame is back as it was.
  EXPECT_EQ(vx_graphics_context->matrixSp, 0);
  EXPECT_EQ(vx_graphics_context->a, 1);
  EXPECT_TRUE(vx_graphics_context->matrixDirty);
}

TEST_F(ContextDraw, GridFramesSampleTheirOwnCell) {
  c_Image* cells = vx_graphics_LoadImage2(String("cells.png"), 8, 8, 4, 0);
  c_Image* whole = vx_graphics_LoadImage(String("cells.png"), 1, 0);
  const uint32_t expected[4] = {kRed, kGreen, kBlue, kWhite};
  for (int frame = 0; frame < 4; ++frame) vx_graphics_DrawImage(cells, 20 + 20 * frame, 20, frame);
  vx_graphics_DrawImage2(cells, 300, 300, 0, 4, 4, 3);
  vx_graphics_DrawImage(whole, 400, 20, 0);
  device->Flush();
  for (int frame = 0; frame < 4; ++frame) {
    for (int d : {1, 4, 6}) EXPECT_EQ(PixelAt(20 + 20 * frame + d, 20 + d), expected[frame]) << frame;
    EXPECT_EQ(PixelAt(20 + 20 * frame + 9, 24), kBlack) << frame;
  }
  EXPECT_EQ(PixelAt(302, 302), kWhite);
  EXPECT_EQ(PixelAt(329, 329), kWhite);
  EXPECT_EQ(PixelAt(333, 310), kBlack);
  EXPECT_EQ(PixelAt(403, 23), kRed);
  EXPECT_EQ(PixelAt(412, 23), kGreen);
  EXPECT_EQ(PixelAt(403, 33), kBlue);
  EXPECT_EQ(PixelAt(412, 33), kWhite);
}

TEST_F(ContextDraw, ImagesThatCannotBeDrawnDrawNothing) {
  c_Image* cells = vx_graphics_LoadImage2(String("cells.png"), 8, 8, 4, 0);
  vx_graphics_DrawRect(0, 0, 1, 1);
  const int open = device->primCount;
  const int calls = device->matrixCalls;
  vx_graphics_DrawImage(cells, 10, 10, 4);
  vx_graphics_DrawImage(cells, 10, 10, -1);
  vx_graphics_DrawImage2(cells, 10, 10, 0, 1, 1, 4);
  vx_graphics_DrawImage(nullptr, 10, 10, 0);
  vx_graphics_DrawImage2(nullptr, 10, 10, 0, 1, 1, 0);
  vx_graphics_DrawImage((new c_Image())->m_new(), 10, 10, 0);
  EXPECT_EQ(device->primCount, open);
  EXPECT_EQ(device->primType, 4);
  EXPECT_EQ(device->primSurface, nullptr);
  EXPECT_EQ(device->matrixCalls, calls);
  EXPECT_EQ(vx_graphics_context->matrixSp, 0);
}

TEST_F(ContextDraw, EllipseIsCentredOnItsPosition) {
  vx_graphics_DrawEllipse(320, 240, 50, 30);
  EXPECT_EQ(device->vertexArray[0].x, 370);
  EXPECT_EQ(device->vertexArray[0].y, 240);
  EXPECT_EQ(PixelAt(320, 240), kWhite);
  EXPECT_EQ(PixelAt(366, 240), kWhite);
  EXPECT_EQ(PixelAt(320, 266), kWhite);
  EXPECT_EQ(PixelAt(320, 273), kBlack);
  EXPECT_EQ(PixelAt(373, 240), kBlack);
}

TEST_F(ContextDraw, ScissorClipsToTheTruncatedRectangle) {
  vx_graphics_SetScissor(10.9f, 0, 100.5f, 50);
  vx_graphics_SetColor(0, 0, 255);
  vx_graphics_DrawRect(0, 0, 640, 480);
  device->Flush();
  EXPECT_EQ(PixelAt(9, 10), kBlack);
  EXPECT_EQ(PixelAt(10, 10), kBlue);
  EXPECT_EQ(PixelAt(109, 10), kBlue);
  EXPECT_EQ(PixelAt(110, 10), kBlack);
  EXPECT_EQ(PixelAt(50, 49), kBlue);
  EXPECT_EQ(PixelAt(50, 50), kBlack);
  vx_graphics_SetScissor(0, 0, 640, 480);
  vx_graphics_DrawRect(0, 0, 640, 480);
  device->Flush();
  EXPECT_EQ(PixelAt(600, 400), kBlue);
}

TEST_F(ContextDraw, ReadPixelsWithPitchZeroAdvancesOneRowWidth) {
  vx_graphics_SetColor(255, 0, 0);
  vx_graphics_DrawRect(0, 0, 16, 1);
  vx_graphics_SetColor(0, 255, 0);
  vx_graphics_DrawRect(0, 1, 16, 1);
  Array<int> pixels(32);
  vx_graphics_ReadPixels(pixels, 0, 0, 16, 2, 0, 0);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(pixels[i] & 0xFFFFFF, static_cast<int>(kRed)) << i;
    EXPECT_EQ(pixels[16 + i] & 0xFFFFFF, static_cast<int>(kGreen)) << i;
  }
}

TEST_F(ContextDraw, ReadPixelsIntoTooSmallAnArrayReadsNothing) {
  vx_graphics_DrawRect(0, 0, 16, 2);
  Array<int> pixels(32);
  for (int i = 0; i < 32; ++i) pixels[i] = 7;
  vx_graphics_ReadPixels(pixels, 0, 0, 16, 2, 1, 0);    // one past the end
  vx_graphics_ReadPixels(pixels, 0, 0, 16, 2, -1, 0);   // before the start
  vx_graphics_ReadPixels(pixels, 0, 0, 4, 2, 0, 40);    // second row beyond
  vx_graphics_ReadPixels(pixels, 0, 0, 4, 2, 4, -8);    // upward rows, first row before
  for (int i = 0; i < 32; ++i) ASSERT_EQ(pixels[i], 7) << i;
  // Rows upward from the end of the array are fine.
  vx_graphics_ReadPixels(pixels, 0, 0, 4, 2, 28, -28);
  EXPECT_EQ(pixels[28] & 0xFFFFFF, static_cast<int>(kWhite));
  EXPECT_EQ(pixels[0] & 0xFFFFFF, static_cast<int>(kWhite));
}

TEST_F(ContextDraw, DefaultFontIsLoadedOnceWhenPresent) {
  c_GraphicsContext* context = vx_graphics_context;
  device->loadedPaths.clear();
  vx_graphics_SetFont(nullptr, 0);
  EXPECT_EQ(context->font, nullptr);
  EXPECT_EQ(context->firstChar, 32);
  EXPECT_EQ(device->loadedPaths, std::vector<std::string>{"quibbo://data/oxle_font.png"});

  WritePng(DataPath("oxle_font.png"), 960, 14, [](int, int) { return 0xFFFFFFFFu; });
  vx_graphics_SetFont(nullptr, 65);
  ASSERT_NE(context->font, nullptr);
  EXPECT_EQ(context->font, context->defaultFont);
  EXPECT_EQ(context->firstChar, 32);
  EXPECT_EQ(context->font->frames.Length(), 96);
  EXPECT_EQ(context->font->width, 8);
  EXPECT_EQ(context->font->height, 14);
  EXPECT_EQ(context->font->frames[1]->x, 11);

  c_Image* own = vx_graphics_LoadImage(String("cells.png"), 4, 0);
  vx_graphics_SetFont(own, 48);
  EXPECT_EQ(context->font, own);
  EXPECT_EQ(context->firstChar, 48);
  vx_graphics_SetFont(nullptr, 0);
  EXPECT_EQ(context->font, context->defaultFont);
  EXPECT_EQ(device->loadedPaths.size(), 3u);  // the missing try, the font, the own image

  // The font survives a new frame.
  EndTestFrame();
  BeginTestFrame();
  EXPECT_EQ(context->font, context->defaultFont);
}

}  // namespace
