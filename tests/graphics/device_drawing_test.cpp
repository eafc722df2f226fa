// What the device puts into the back buffer, read back pixel by pixel.
#include <GL/gl.h>

#include <vector>

#include "tests/graphics/graphics_test_support.h"

namespace {

using DeviceDrawing = GraphicsTest;

TEST_F(DeviceDrawing, RectanglesCoverExactlyTheirPixels) {
  device->SetColor(255, 0, 0);
  device->DrawRect(10, 20, 30, 15);
  device->SetColor(0, 255, 0);
  device->DrawRect(100, 100, 1, 1);
  Finish();
  EXPECT_TRUE(RgbNear(Pixel(10, 20), 255, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(39, 34), 255, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(9, 20), 0, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(40, 20), 0, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(10, 19), 0, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(10, 35), 0, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(100, 100), 0, 255, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(101, 100), 0, 0, 0, 0));
}

TEST_F(DeviceDrawing, LinesAndPointsLandOnTheirPixelsInTheirColours) {
  device->SetColor(0, 0, 255);
  device->DrawLine(20.5f, 200.5f, 120.5f, 200.5f);
  device->DrawLine(300.5f, 10.5f, 300.5f, 60.5f);
  device->SetColor(255, 255, 0);
  device->DrawPoint(400.5f, 300.5f);
  device->DrawPoint(402.5f, 300.5f);
  Finish();
  for (int x : {20, 70, 119}) EXPECT_TRUE(RgbNear(Pixel(x, 200), 0, 0, 255, 0)) << x;
  EXPECT_TRUE(RgbNear(Pixel(70, 199), 0, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(70, 201), 0, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(121, 200), 0, 0, 0, 0));
  for (int y : {12, 35, 58}) EXPECT_TRUE(RgbNear(Pixel(300, y), 0, 0, 255, 0)) << y;
  EXPECT_TRUE(RgbNear(Pixel(301, 35), 0, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(400, 300), 255, 255, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(401, 300), 0, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(402, 300), 255, 255, 0, 0));
}

TEST_F(DeviceDrawing, ColourIsPackedPremultipliedAndKeptPerVertex) {
  device->SetColor(255, 128, 0);
  device->SetAlpha(0.5f);
  EXPECT_EQ(device->packedColor, 127u << 24 | 0u << 16 | 64u << 8 | 127u);
  device->DrawRect(0, 0, 10, 10);
  // A later colour does not reach the vertices already batched.
  device->SetColor(0, 0, 255);
  device->SetAlpha(1);
  device->DrawRect(10, 0, 10, 10);
  EXPECT_EQ(device->primCount, 2);
  Finish();
  EXPECT_TRUE(RgbNear(Pixel(5, 5), 127, 64, 0));
  EXPECT_TRUE(RgbNear(Pixel(15, 5), 0, 0, 255, 0));
}

TEST_F(DeviceDrawing, AlphaAndAdditiveBlendingMixWithWhatIsThere) {
  device->Cls(0, 0, 200);
  device->SetColor(255, 128, 0);
  device->SetAlpha(0.5f);
  device->DrawRect(0, 0, 10, 10);
  // Additive: the colour is added and saturates.
  device->SetBlend(1);
  device->SetAlpha(1);
  device->SetColor(50, 60, 100);
  device->DrawRect(20, 0, 10, 10);
  device->DrawRect(40, 0, 10, 10);
  device->DrawRect(40, 0, 10, 10);
  device->SetBlend(0);
  device->SetColor(10, 20, 30);
  device->DrawRect(60, 0, 10, 10);
  Finish();
  // 127 + 0, 64 + 0, 0 + 200 * (1 - 127/255)
  EXPECT_TRUE(RgbNear(Pixel(5, 5), 127, 64, 100, 2));
  EXPECT_TRUE(RgbNear(Pixel(25, 5), 50, 60, 255, 0));
  EXPECT_TRUE(RgbNear(Pixel(45, 5), 100, 120, 255, 0));
  // Back to alpha blending: opaque colour replaces.
  EXPECT_TRUE(RgbNear(Pixel(65, 5), 10, 20, 30, 0));
}

TEST_F(DeviceDrawing, ScissorClipsAndTheFullWindowTurnsItOff) {
  device->SetScissor(0, 0, 100, 50);
  GLint box[4];
  glGetIntegerv(GL_SCISSOR_BOX, box);
  EXPECT_EQ(glIsEnabled(GL_SCISSOR_TEST), GL_TRUE);
  EXPECT_EQ(box[0], 0);
  EXPECT_EQ(box[1], 430);
  EXPECT_EQ(box[2], 100);
  EXPECT_EQ(box[3], 50);

  device->SetScissor(20, 30, 40, 10);
  device->SetColor(255, 255, 255);
  device->DrawRect(0, 0, 200, 200);
  device->SetScissor(0, 0, 640, 480);
  EXPECT_EQ(glIsEnabled(GL_SCISSOR_TEST), GL_FALSE);
  device->SetColor(0, 255, 0);
  device->DrawRect(300, 300, 10, 10);
  Finish();
  EXPECT_TRUE(RgbNear(Pixel(20, 30), 255, 255, 255, 0));
  EXPECT_TRUE(RgbNear(Pixel(59, 39), 255, 255, 255, 0));
  EXPECT_TRUE(RgbNear(Pixel(19, 30), 0, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(60, 39), 0, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(20, 29), 0, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(20, 40), 0, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(0, 0), 0, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(305, 305), 0, 255, 0, 0));
}

TEST_F(DeviceDrawing, MatrixIsAppliedToEveryCornerOnTheCpu) {
  device->SetMatrix(2, 0, 0, 3, 100, 50);
  EXPECT_TRUE(device->transformed);
  device->SetColor(255, 0, 0);
  device->DrawRect(0, 0, 10, 10);
  EXPECT_EQ(device->vertexArray[2].x, 120);
  EXPECT_EQ(device->vertexArray[2].y, 80);
  // A quarter turn: x' = -y, y' = x; the rectangle becomes a different quad.
  device->SetMatrix(0, 1, -1, 0, 300, 100);
  device->DrawRect(0, 0, 40, 20);
  device->SetMatrix(1, 0, 0, 1, 0, 0);
  EXPECT_FALSE(device->transformed);
  // Matrix changes did not split the batch.
  EXPECT_EQ(device->primCount, 2);
  GLdouble modelview[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  EXPECT_EQ(modelview[0], 1);
  EXPECT_EQ(modelview[12], 0);
  Finish();
  EXPECT_TRUE(RgbNear(Pixel(100, 50), 255, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(119, 79), 255, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(120, 79), 0, 0, 0, 0));
  // (0..40, 0..20) turned: x from 280 to 300, y from 100 to 140.
  EXPECT_TRUE(RgbNear(Pixel(281, 139), 255, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(301, 110), 0, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(290, 141), 0, 0, 0, 0));
}

TEST_F(DeviceDrawing, OvalsAndPolygonsAreFilledAndDrawnAtOnce) {
  device->SetColor(255, 0, 0);
  device->DrawRect(100, 100, 100, 100);
  device->SetColor(0, 0, 255);
  device->DrawOval(100, 100, 100, 100);
  EXPECT_EQ(device->primCount, 0);
  device->SetColor(0, 255, 0);
  Array<float> triangle(6);
  const float corners[] = {300, 100, 400, 100, 300, 200};
  for (int i = 0; i < 6; ++i) triangle[i] = corners[i];
  device->DrawPoly(triangle);
  EXPECT_EQ(device->primCount, 0);
  // The rectangle went first, so the oval covers it.
  EXPECT_TRUE(RgbNear(Pixel(150, 150), 0, 0, 255, 0));
  EXPECT_TRUE(RgbNear(Pixel(101, 101), 255, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(195, 150), 0, 0, 255, 0));
  EXPECT_TRUE(RgbNear(Pixel(310, 110), 0, 255, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(390, 190), 0, 0, 0, 0));
}

TEST_F(DeviceDrawing, ReadPixelsPutsTheTopRowAtTheOffset) {
  device->SetColor(255, 0, 0);
  device->DrawRect(50, 60, 3, 1);
  device->SetColor(0, 255, 0);
  device->DrawRect(50, 61, 3, 1);
  Array<int> pixels(30);
  for (int i = 0; i < 30; ++i) pixels[i] = 7;
  // Reading flushes the open batch first.
  device->ReadPixels(pixels, 50, 60, 3, 2, 5, 10);
  for (int j = 0; j < 3; ++j) {
    EXPECT_EQ(static_cast<uint32_t>(pixels[5 + j]), 0xFFFF0000u);
    EXPECT_EQ(static_cast<uint32_t>(pixels[15 + j]), 0xFF00FF00u);
  }
  EXPECT_EQ(pixels[4], 7);
  EXPECT_EQ(pixels[8], 7);
  EXPECT_EQ(pixels[14], 7);
  EXPECT_EQ(pixels[18], 7);
}

TEST_F(DeviceDrawing, PixelRegionsThatDoNotFitTheArrayAreLeftAlone) {
  Array<int> pixels(8);
  for (int i = 0; i < 8; ++i) pixels[i] = 7;
  device->ReadPixels(pixels, 0, 0, 4, 4, 0, 4);  // 16 entries asked of 8
  device->ReadPixels(pixels, 0, 0, 2, 2, -1, 2);
  device->ReadPixels(pixels, 0, 0, 2, 2, 6, 2);
  gxtkSurface* surface = device->CreateSurface(4, 4);
  ASSERT_NE(surface, nullptr);
  device->WritePixels2(surface, pixels, 0, 0, 4, 4, 0, 4);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(pixels[i], 7) << i;
}

// An opaque rectangle over the whole frame becomes a clear and opaque
// shapes skip blending: the same pixels as blending everything, with the
// draw calls the shortcut saves. Trails, additive light, a frame not quite
// covered and a turned rectangle are drawn as before.
TEST_F(DeviceDrawing, FillShortcutsLeaveEveryPixelAsBlendingWould) {
  struct Case {
    const char* name;
    float x, y, w, h, alpha;
    int blend;
    float scale;
    int calls;  // with the shortcuts: the cover, if drawn, and the two shapes after it
  };
  const Case cases[] = {
      {"overdrawn cover", -1, -1, 642, 482, 1, 0, 1, 2},
      {"exact cover", 0, 0, 640, 480, 1, 0, 1, 2},
      {"cover drawn backwards", 640, 480, -640, -480, 1, 0, 1, 2},
      {"alpha just above 1", -1, -1, 642, 482, 1.002f, 0, 1, 2},
      {"one pixel short", 0, 0, 639, 480, 1, 0, 1, 3},
      {"half alpha leaves trails", -1, -1, 642, 482, 0.5f, 0, 1, 3},
      {"additive", -1, -1, 642, 482, 1, 1, 1, 3},
      {"under a matrix", 0, 0, 320, 240, 1, 0, 2, 3},
  };
  auto frame = [&](const Case& c, bool shortcuts, int* calls) {
    device->fillShortcuts = shortcuts;
    device->Cls(10, 20, 30);
    device->SetColor(250, 0, 0);
    device->DrawRect(100, 100, 50, 50);  // under the cover
    device->SetColor(255, 128, 7);
    device->SetAlpha(c.alpha);
    device->SetBlend(c.blend);
    device->drawCalls = 0;
    device->SetMatrix(c.scale, 0, 0, c.scale, 0, 0);
    device->DrawRect(c.x, c.y, c.w, c.h);
    device->SetMatrix(1, 0, 0, 1, 0, 0);
    device->SetBlend(0);
    device->SetColor(0, 200, 100);
    device->SetAlpha(1);
    device->DrawOval(300, 200, 40, 30);
    device->DrawRect(400, 300, 20, 20);
    device->SetAlpha(0.5f);
    device->DrawRect(410, 310, 20, 20);  // the batch must stay blended
    Finish();
    *calls = device->drawCalls;
    std::vector<uint32_t> pixels(640 * 480);
    glReadPixels(0, 0, 640, 480, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
  };
  for (const Case& c : cases) {
    int exactCalls = 0, calls = 0;
    std::vector<uint32_t> exact = frame(c, false, &exactCalls);
    std::vector<uint32_t> light = frame(c, true, &calls);
    EXPECT_EQ(exactCalls, 3) << c.name;
    EXPECT_EQ(calls, c.calls) << c.name;
    size_t differ = 0;
    for (size_t i = 0; i < exact.size(); ++i) differ += exact[i] != light[i];
    EXPECT_EQ(differ, 0u) << c.name;
  }
}

}  // namespace
