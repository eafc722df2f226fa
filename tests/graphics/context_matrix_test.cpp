#include <gtest/gtest.h>

#include <utility>

#include "tests/graphics/context_test_support.h"

namespace {

class ContextMatrix : public ::testing::Test {
 protected:
  void SetUp() override {
    device = TestDevice();
    BeginTestFrame();
    context = vx_graphics_context;
  }
  void TearDown() override { EndTestFrame(); }

  // Where the device put the point (x, y) under the context's matrix: the
  // first corner of a rectangle drawn into an emptied batch.
  std::pair<float, float> Mapped(float x, float y) {
    vx_graphics_Cls(0, 0, 0);
    vx_graphics_DrawRect(x, y, 1, 1);
    return {device->vertexArray[0].x, device->vertexArray[0].y};
  }

  void ExpectMatrix(float a, float b, float c, float d, float tx, float ty) {
    EXPECT_EQ(context->a, a);
    EXPECT_EQ(context->b, b);
    EXPECT_EQ(context->c, c);
    EXPECT_EQ(context->d, d);
    EXPECT_EQ(context->tx, tx);
    EXPECT_EQ(context->ty, ty);
  }

  RecordingDevice* device = nullptr;
  c_GraphicsContext* context = nullptr;
};

TEST_F(ContextMatrix, TransformAppliesTheNewMatrixFirst) {
  vx_graphics_SetMatrix(2, 0, 0, 3, 5, 7);
  vx_graphics_Transform(0, 1, -1, 0, 1, 2);
  // (1, 0) -> (1, 3) by the new matrix, then -> (7, 16) by the old one.
  ExpectMatrix(0, 3, -2, 0, 7, 13);
  EXPECT_EQ(Mapped(1, 0), std::make_pair(7.0f, 16.0f));

  vx_graphics_SetMatrix(1, 0, 0, 1, 0, 0);
  vx_graphics_Translate(100, 50);
  vx_graphics_Scale(2, 3);
  EXPECT_EQ(Mapped(1, 1), std::make_pair(102.0f, 53.0f));
  vx_graphics_SetMatrix(1, 0, 0, 1, 0, 0);
  vx_graphics_Scale(2, 3);
  vx_graphics_Translate(100, 50);
  EXPECT_EQ(Mapped(1, 1), std::make_pair(202.0f, 153.0f));
}

TEST_F(ContextMatrix, ArrayFormsReadSixElementsAndIgnoreShortArrays) {
  const float values[] = {2, 0, 0, 2, 10, 20};
  vx_graphics_SetMatrix2(Array<float>(values, 6));
  ExpectMatrix(2, 0, 0, 2, 10, 20);
  const float shift[] = {1, 0, 0, 1, 3, 4, 99};
  vx_graphics_Transform2(Array<float>(shift, 7));
  ExpectMatrix(2, 0, 0, 2, 16, 28);
  vx_graphics_SetMatrix2(Array<float>(values, 5));
  vx_graphics_Transform2(Array<float>());
  ExpectMatrix(2, 0, 0, 2, 16, 28);
}

TEST_F(ContextMatrix, RotateIsInSinglePrecision) {
  vx_graphics_Rotate(90);
  // cos of the single-precision right angle, not zero.
  ExpectMatrix(-4.37113883e-08f, -1, 1, -4.37113883e-08f, 0, 0);
  EXPECT_TRUE(context->transformed);

  vx_graphics_SetMatrix(1, 0, 0, 1, 0, 0);
  vx_graphics_Rotate(0);
  ExpectMatrix(1, 0, 0, 1, 0, 0);
  EXPECT_FALSE(context->transformed);
}

TEST_F(ContextMatrix, RotationOrderMattersAndPositiveAnglesTurnCounterClockwise) {
  vx_graphics_Translate(10, 0);
  vx_graphics_Rotate(90);
  std::pair<float, float> p = Mapped(1, 0);
  EXPECT_FLOAT_EQ(p.first, 10);
  EXPECT_FLOAT_EQ(p.second, -1);

  vx_graphics_SetMatrix(1, 0, 0, 1, 0, 0);
  vx_graphics_Rotate(90);
  vx_graphics_Translate(10, 0);
  p = Mapped(1, 0);
  EXPECT_NE(p.first, 0);
  EXPECT_NEAR(p.first, 0, 1e-5);
  EXPECT_FLOAT_EQ(p.second, -11);
}

TEST_F(ContextMatrix, PopRestoresExactlyWhatWasPushed) {
  vx_graphics_PushMatrix();
  EXPECT_EQ(context->matrixSp, 6);
  vx_graphics_Scale(2, 2);
  vx_graphics_PopMatrix();
  EXPECT_EQ(context->matrixSp, 0);
  ExpectMatrix(1, 0, 0, 1, 0, 0);
  EXPECT_FALSE(context->transformed);

  vx_graphics_Rotate(33);
  vx_graphics_Translate(0.1f, 0.7f);
  const float a = context->a, b = context->b, tx = context->tx, ty = context->ty;
  vx_graphics_PushMatrix();
  vx_graphics_Translate(5, 5);
  vx_graphics_PushMatrix();
  vx_graphics_Rotate(-12);
  vx_graphics_PopMatrix();
  vx_graphics_Scale(3, 3);
  vx_graphics_PopMatrix();
  EXPECT_EQ(context->a, a);
  EXPECT_EQ(context->b, b);
  EXPECT_EQ(context->tx, tx);
  EXPECT_EQ(context->ty, ty);
  EXPECT_TRUE(context->transformed);
  EXPECT_EQ(context->matrixSp, 0);
}

TEST_F(ContextMatrix, StackGrowsPastThirtyTwoAndAnUnmatchedPopChangesNothing) {
  for (int i = 0; i < 40; ++i) {
    vx_graphics_PushMatrix();
    vx_graphics_Translate(1, 0);
  }
  EXPECT_EQ(context->tx, 40);
  for (int i = 39; i >= 0; --i) {
    vx_graphics_PopMatrix();
    ASSERT_EQ(context->tx, i);
  }
  EXPECT_EQ(context->matrixSp, 0);
  vx_graphics_Translate(7, 0);
  vx_graphics_PopMatrix();
  EXPECT_EQ(context->tx, 7);
  EXPECT_EQ(context->matrixSp, 0);
}

TEST_F(ContextMatrix, MatrixReachesTheDeviceOnlyBeforeADraw) {
  const int before = device->matrixCalls;
  const float deviceTx = device->tx;
  vx_graphics_Translate(30, 40);
  vx_graphics_Rotate(10);
  vx_graphics_PushMatrix();
  vx_graphics_Scale(2, 2);
  vx_graphics_PopMatrix();
  vx_graphics_SetColor(1, 2, 3);
  vx_graphics_SetAlpha(0.5f);
  vx_graphics_SetBlend(1);
  vx_graphics_SetScissor(0, 0, 10, 10);
  EXPECT_EQ(device->matrixCalls, before);
  EXPECT_EQ(device->tx, deviceTx);
  EXPECT_TRUE(context->matrixDirty);

  vx_graphics_DrawRect(0, 0, 4, 4);
  EXPECT_EQ(device->matrixCalls, before + 1);
  EXPECT_EQ(device->a, context->a);
  EXPECT_EQ(device->b, context->b);
  EXPECT_EQ(device->tx, 30);
  EXPECT_EQ(device->ty, 40);
  EXPECT_FALSE(context->matrixDirty);

  vx_graphics_DrawLine(0, 0, 4, 4);
  vx_graphics_DrawEllipse(50, 50, 5, 5);
  EXPECT_EQ(device->matrixCalls, before + 1);
  vx_graphics_PushMatrix();
  vx_graphics_PopMatrix();
  vx_graphics_DrawRect(0, 0, 4, 4);
  EXPECT_EQ(device->matrixCalls, before + 2);
}

TEST_F(ContextMatrix, MatrixChangesDoNotBreakTheBatch) {
  vx_graphics_Cls(0, 0, 0);
  const int before = device->drawCalls;
  for (int i = 0; i < 50; ++i) {
    vx_graphics_Translate(3, 1);
    vx_graphics_Rotate(7);
    vx_graphics_DrawRect(0, 0, 2, 2);
  }
  device->Flush();
  EXPECT_EQ(device->drawCalls, before + 1);
}

TEST_F(ContextMatrix, EveryFrameStartsFromTheSameState) {
  vx_graphics_Scale(4, 4);
  vx_graphics_PushMatrix();
  vx_graphics_SetColor(10, 20, 30);
  vx_graphics_SetAlpha(0.25f);
  vx_graphics_SetBlend(1);
  vx_graphics_SetScissor(5, 5, 50, 50);
  vx_graphics_DrawRect(0, 0, 1, 1);
  EndTestFrame();
  EXPECT_EQ(vx_graphics_renderDevice, nullptr);

  BeginTestFrame();
  EXPECT_EQ(vx_graphics_renderDevice, device);
  EXPECT_EQ(context->matrixSp, 0);
  ExpectMatrix(1, 0, 0, 1, 0, 0);
  EXPECT_FALSE(context->transformed);
  EXPECT_TRUE(context->matrixDirty);
  EXPECT_EQ(context->red, 255);
  EXPECT_EQ(context->blue, 255);
  EXPECT_EQ(context->alpha, 1);
  EXPECT_EQ(context->blend, 0);
  EXPECT_EQ(context->scissorW, 640);
  EXPECT_EQ(context->scissorH, 480);
  EXPECT_EQ(device->red, 255);
  EXPECT_EQ(device->alpha, 1);
  EXPECT_EQ(device->packedColor, 0xFFFFFFFFu);
  EXPECT_EQ(device->lastScissor[2], 640);
  EXPECT_EQ(device->lastScissor[3], 480);
  // The identity reaches the device with the first draw of the frame.
  vx_graphics_DrawRect(0, 0, 1, 1);
  EXPECT_EQ(device->a, 1);
  EXPECT_FALSE(device->transformed);
}

TEST_F(ContextMatrix, ScissorIsTruncatedTowardZero) {
  vx_graphics_SetScissor(10.9f, 0, 100.5f, 50);
  EXPECT_EQ(device->lastScissor[0], 10);
  EXPECT_EQ(device->lastScissor[1], 0);
  EXPECT_EQ(device->lastScissor[2], 100);
  EXPECT_EQ(device->lastScissor[3], 50);
  EXPECT_EQ(context->scissorX, 10.9f);
  EXPECT_EQ(context->scissorW, 100.5f);
  vx_graphics_SetScissor(-3.7f, 2.2f, 1e20f, -1e20f);
  EXPECT_EQ(device->lastScissor[0], -3);
  EXPECT_EQ(device->lastScissor[1], 2);
  EXPECT_EQ(device->lastScissor[2], 2147483647);
  EXPECT_EQ(device->lastScissor[3], -2147483647 - 1);
}

TEST_F(ContextMatrix, OutsideAFrameStateIsKeptAndNothingIsDrawn) {
  EndTestFrame();
  const int calls = device->matrixCalls;
  const int scissors = device->scissorCalls;
  vx_graphics_SetColor(1, 2, 3);
  vx_graphics_SetScissor(1, 1, 1, 1);
  vx_graphics_Translate(5, 5);
  vx_graphics_Cls(255, 0, 0);
  vx_graphics_DrawRect(0, 0, 10, 10);
  vx_graphics_DrawLine(0, 0, 10, 10);
  vx_graphics_DrawEllipse(5, 5, 5, 5);
  vx_graphics_DrawImage(nullptr, 0, 0, 0);
  vx_graphics_DrawImage2(nullptr, 0, 0, 0, 1, 1, 0);
  Array<int> pixels(4);
  vx_graphics_ReadPixels(pixels, 0, 0, 2, 2, 0, 0);
  EXPECT_EQ(context->red, 1);
  EXPECT_EQ(context->scissorW, 1);
  EXPECT_EQ(context->tx, 5);
  EXPECT_EQ(device->matrixCalls, calls);
  EXPECT_EQ(device->scissorCalls, scissors);
  EXPECT_EQ(vx_graphics_DeviceWidth(), 640);
  EXPECT_EQ(vx_graphics_DeviceHeight(), 480);
  BeginTestFrame();
}

}  // namespace
