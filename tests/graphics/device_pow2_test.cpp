// Uploads on a driver that only takes power-of-two textures. Such a driver
// is played here by refusing other sizes in front of the real glTexImage2D;
// everything else is the real OpenGL.
#include <GL/gl.h>
#include <dlfcn.h>

#include <vector>

#include "tests/graphics/graphics_test_support.h"

namespace {

using TexImage2D = void (*)(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void*);

bool PowerOfTwo(GLsizei n) { return n > 0 && (n & (n - 1)) == 0; }

std::vector<std::pair<int, int>> requested;

}  // namespace

extern "C" void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                             GLsizei height, GLint border, GLenum format, GLenum type, const void* data) {
  static TexImage2D real = reinterpret_cast<TexImage2D>(dlsym(RTLD_NEXT, "glTexImage2D"));
  requested.emplace_back(width, height);
  // A negative size makes the real driver report the error a refusing one would.
  if (!PowerOfTwo(width) || !PowerOfTwo(height)) width = -1;
  real(target, level, internalFormat, width, height, border, format, type, data);
}

namespace {

class DevicePowerOfTwo : public GraphicsTest {};

TEST_F(DevicePowerOfTwo, OtherSizesArePaddedToTheNextPowerOfTwo) {
  requested.clear();
  gxtkSurface* s = device->CreateSurface(100, 60);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(requested, (std::vector<std::pair<int, int>>{{100, 60}, {128, 64}}));
  EXPECT_FLOAT_EQ(s->uScale, 1.0f / 128);
  EXPECT_FLOAT_EQ(s->vScale, 1.0f / 64);
  EXPECT_EQ(s->Width(), 100);

  // A power of two is asked for once; a side that already is one stays.
  requested.clear();
  ASSERT_NE(device->CreateSurface(64, 32), nullptr);
  requested.clear();
  gxtkSurface* tall = device->CreateSurface(16, 33);
  ASSERT_NE(tall, nullptr);
  EXPECT_EQ(requested, (std::vector<std::pair<int, int>>{{16, 33}, {16, 64}}));
}

TEST_F(DevicePowerOfTwo, WholeImageDrawsNeverSampleThePadding) {
  // 3x3 opaque red in a 4x4 texture whose padding stays unwritten.
  std::vector<uint8_t> red(3 * 3 * 4);
  for (size_t i = 0; i < red.size(); i += 4) {
    red[i] = 255;
    red[i + 3] = 255;
  }
  WritePng(dir.Path("red.png"), 3, 3, 4, red);
  gxtkSurface* s = device->LoadSurface(String(dir.Path("red.png").c_str()));
  ASSERT_NE(s, nullptr);
  EXPECT_FLOAT_EQ(s->uScale, 0.25f);
  device->DrawSurface(s, 10, 10);
  Finish();
  for (int y = 10; y < 13; ++y) {
    for (int x = 10; x < 13; ++x) EXPECT_TRUE(RgbNear(Pixel(x, y), 255, 0, 0, 1)) << x << "," << y;
  }
  EXPECT_TRUE(RgbNear(Pixel(13, 10), 0, 0, 0, 0));
}

}  // namespace
