// Textures: decoding, premultiplication, upload, sampling, pixel writes, and
// files that are not images.
#include <GL/gl.h>
#include <malloc.h>

#include <vector>

#include "runtime/collector.h"
#include "tests/graphics/graphics_test_support.h"

namespace {

class DeviceSurface : public GraphicsTest {
 protected:
  gxtkSurface* Load(const std::string& name) { return device->LoadSurface(String(dir.Path(name).c_str())); }

  // The texture's texels, 0xAARRGGBB, rows top first.
  std::vector<uint32_t> Texels(gxtkSurface* surface, int width, int height) {
    std::vector<uint32_t> texels(width * height);
    glBindTexture(GL_TEXTURE_2D, surface->textureId);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_BYTE, texels.data());
    return texels;
  }
};

// An 8x8 image in four 4x4 quadrants: red, green / blue, white.
std::vector<uint8_t> Quadrants() {
  std::vector<uint8_t> pixels(8 * 8 * 4);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      uint8_t* p = &pixels[(y * 8 + x) * 4];
      int q = (y >= 4) * 2 + (x >= 4);
      p[0] = q == 0 || q == 3 ? 255 : 0;
      p[1] = q == 1 || q == 3 ? 255 : 0;
      p[2] = q >= 2 ? 255 : 0;
      p[3] = 255;
    }
  }
  return pixels;
}

size_t HeapInUse() { return mallinfo2().uordblks; }

TEST_F(DeviceSurface, TexturedQuadsSampleTheRegionAsked) {
  WritePng(dir.Path("quadrants.png"), 8, 8, 4, Quadrants());
  gxtkSurface* s = Load("quadrants.png");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->Width(), 8);
  EXPECT_EQ(s->Height(), 8);
  EXPECT_EQ(s->depth, 4);
  EXPECT_EQ(s->pixelData, nullptr);
  EXPECT_FLOAT_EQ(s->uScale, 1.0f / 8);

  device->DrawSurface2(s, 100, 100, 4, 0, 4, 4);
  device->DrawSurface2(s, 200, 100, 0, 4, 4, 4);
  device->DrawSurface(s, 300, 100);
  Finish();
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_TRUE(RgbNear(Pixel(100 + x, 100 + y), 0, 255, 0, 0)) << x << "," << y;
      EXPECT_TRUE(RgbNear(Pixel(200 + x, 100 + y), 0, 0, 255, 0)) << x << "," << y;
    }
  }
  EXPECT_TRUE(RgbNear(Pixel(104, 100), 0, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(300, 100), 255, 0, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(307, 100), 0, 255, 0, 0));
  EXPECT_TRUE(RgbNear(Pixel(300, 107), 0, 0, 255, 0));
  EXPECT_TRUE(RgbNear(Pixel(307, 107), 255, 255, 255, 0));
  EXPECT_TRUE(RgbNear(Pixel(308, 107), 0, 0, 0, 0));
}

TEST_F(DeviceSurface, LoadedPixelsArePremultipliedSoTransparencyStaysTransparent) {
  // White at alpha 0, then a colour at alpha 128.
  WritePng(dir.Path("rgba.png"), 2, 1, 4, {255, 255, 255, 0, 200, 100, 50, 128});
  gxtkSurface* s = Load("rgba.png");
  ASSERT_NE(s, nullptr);
  std::vector<uint32_t> texels = Texels(s, 2, 1);
  EXPECT_EQ(texels[0], 0x00000000u);
  EXPECT_EQ(texels[1], 0x80643219u);  // 200*128/255 = 100, 50, 25

  device->Cls(0, 0, 200);
  device->DrawSurface(s, 50, 50);
  Finish();
  EXPECT_TRUE(RgbNear(Pixel(50, 50), 0, 0, 200, 0));
  EXPECT_TRUE(RgbNear(Pixel(51, 50), 100, 50, 25 + 100, 2));
}

TEST_F(DeviceSurface, EveryChannelLayoutUploadsAndPremultipliesByItsAlpha) {
  WritePng(dir.Path("grey.png"), 1, 1, 1, {77});
  WritePng(dir.Path("grey_alpha.png"), 1, 1, 2, {200, 128});
  WritePng(dir.Path("rgb.png"), 1, 1, 3, {10, 20, 30});
  WritePng(dir.Path("rgba.png"), 1, 1, 4, {255, 0, 100, 51});
  const char* names[] = {"grey.png", "grey_alpha.png", "rgb.png", "rgba.png"};
  for (int i = 0; i < 4; ++i) {
    gxtkSurface* s = Load(names[i]);
    ASSERT_NE(s, nullptr) << names[i];
    EXPECT_EQ(s->depth, i + 1);
    device->DrawSurface(s, 10 + 10 * i, 10);
  }
  Finish();
  EXPECT_TRUE(RgbNear(Pixel(10, 10), 77, 77, 77, 0));
  EXPECT_TRUE(RgbNear(Pixel(20, 10), 100, 100, 100, 1));
  EXPECT_TRUE(RgbNear(Pixel(30, 10), 10, 20, 30, 0));
  EXPECT_TRUE(RgbNear(Pixel(40, 10), 51, 0, 20, 1));
}

TEST_F(DeviceSurface, TextureSizeIsLearntFromTheDriverNotFromAStaleError) {
  glEnable(0x1234);  // leaves GL_INVALID_ENUM pending
  gxtkSurface* s = device->CreateSurface(100, 60);
  ASSERT_NE(s, nullptr);
  // This driver takes any size: no power-of-two padding.
  EXPECT_FLOAT_EQ(s->uScale, 1.0f / 100);
  EXPECT_FLOAT_EQ(s->vScale, 1.0f / 60);
  GLint w = 0, h = 0;
  glBindTexture(GL_TEXTURE_2D, s->textureId);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
  EXPECT_EQ(w, 100);
  EXPECT_EQ(h, 60);
}

TEST_F(DeviceSurface, SurfacesNoTextureCanHoldAreRefused) {
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  EXPECT_EQ(device->CreateSurface(largest + 1, 1), nullptr);
  EXPECT_EQ(device->CreateSurface(0, 10), nullptr);
  EXPECT_EQ(device->CreateSurface(10, -3), nullptr);
  EXPECT_EQ(device->CreateSurface(0x7FFFFFFF, 1), nullptr);

  // A file that declares such a size is refused before it is decoded.
  WritePng(dir.Path("wide.png"), largest + 1, 1, 1, std::vector<uint8_t>(largest + 1, 255));
  EXPECT_EQ(Load("wide.png"), nullptr);
  // Pixels that cannot be uploaded, even at a power-of-two size, are freed
  // all the same.
  gxtkSurface* s = new gxtkSurface();
  s->pixelData = static_cast<unsigned char*>(malloc(largest + 1));
  s->width = largest + 1;
  s->height = 1;
  s->depth = 1;
  EXPECT_FALSE(s->OnUnsafeLoadComplete());
  EXPECT_EQ(s->pixelData, nullptr);
}

TEST_F(DeviceSurface, WritePixelsPremultipliesAndWritesTopRowFirst) {
  gxtkSurface* s = device->CreateSurface(4, 4);
  ASSERT_NE(s, nullptr);
  Array<int> pixels(20);
  // Rows of the region at offsets 3 and 3 + 8.
  pixels[3] = static_cast<int>(0x80FF0000u);
  pixels[4] = static_cast<int>(0xFF00FF00u);
  pixels[11] = static_cast<int>(0x00FFFFFFu);
  pixels[12] = static_cast<int>(0x40808080u);
  device->WritePixels2(s, pixels, 1, 2, 2, 2, 3, 8);
  std::vector<uint32_t> texels = Texels(s, 4, 4);
  EXPECT_EQ(texels[2 * 4 + 1], 0x80800000u);
  EXPECT_EQ(texels[2 * 4 + 2], 0xFF00FF00u);
  EXPECT_EQ(texels[3 * 4 + 1], 0x00000000u);
  EXPECT_EQ(texels[3 * 4 + 2], 0x40202020u);  // 128*64/255 = 32
}

TEST_F(DeviceSurface, DiscardReleasesTheTexture) {
  gxtkSurface* s = device->CreateSurface(4, 4);
  ASSERT_NE(s, nullptr);
  GLuint name = s->textureId;
  EXPECT_EQ(glIsTexture(name), GL_TRUE);
  s->Discard();
  EXPECT_EQ(s->textureId, 0u);
  EXPECT_EQ(glIsTexture(name), GL_FALSE);
  s->Discard();
  EXPECT_EQ(s->Loaded(), 1);
}

TEST_F(DeviceSurface, FilesThatAreNotImagesGiveNoSurfaceAndKeepNoPixels) {
  std::vector<uint8_t> big(256 * 256 * 4, 200);
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i * 7919 >> 3);
  WritePng(dir.Path("big.png"), 256, 256, 4, big);
  std::string png = ReadFile(dir.Path("big.png"));
  WriteFile(dir.Path("truncated.png"), png.substr(0, png.size() / 2));
  WriteFile(dir.Path("cut_in_header.png"), png.substr(0, 20));
  std::string corrupt = png;
  for (size_t i = 40; i < corrupt.size(); i += 3) corrupt[i] = static_cast<char>(corrupt[i] ^ 0x5A);
  WriteFile(dir.Path("corrupt.png"), corrupt);
  WriteFile(dir.Path("empty.png"), "");
  WriteFile(dir.Path("text.png"), "These are not the pixels you are looking for.\n");

  for (const char* name : {"truncated.png", "cut_in_header.png", "corrupt.png", "empty.png", "text.png"}) {
    gc_force_sweep = false;
    EXPECT_EQ(Load(name), nullptr) << name;
    EXPECT_TRUE(gc_force_sweep) << name;
  }
  EXPECT_EQ(Load("missing.png"), nullptr);
  EXPECT_EQ(device->LoadSurface(String()), nullptr);
  EXPECT_EQ(device->LoadSurface(String("quibbo://nowhere/x.png")), nullptr);

  // Repeated failures keep nothing: a leak would be 256 KiB a time.
  size_t before = HeapInUse();
  for (int i = 0; i < 20; ++i) {
    Load("truncated.png");
    Load("corrupt.png");
  }
  EXPECT_LT(HeapInUse(), before + 256 * 1024);
}

TEST_F(DeviceSurface, DecodingTwiceIntoOneSurfaceKeepsOnlyTheLastPixels) {
  std::vector<uint8_t> big(256 * 256 * 4, 9);
  WritePng(dir.Path("big.png"), 256, 256, 4, big);
  String path(dir.Path("big.png").c_str());
  gxtkSurface* s = new gxtkSurface();
  size_t before = HeapInUse();
  for (int i = 0; i < 20; ++i) ASSERT_EQ(device->LoadSurface__UNSAFE__(s, path), s);
  EXPECT_LT(HeapInUse(), before + 2 * 256 * 256 * 4);
  EXPECT_TRUE(s->OnUnsafeLoadComplete());
  EXPECT_EQ(s->pixelData, nullptr);
}

TEST(DeviceSurfaceDepth, AnyOtherPixelDepthStopsTheProcess) {
  // The window's driver threads make a plain fork unsafe.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        gxtkSurface surface;
        surface.width = 1;
        surface.height = 1;
        surface.depth = 5;
        surface.OnUnsafeLoadComplete();
      },
      ::testing::ExitedWithCode(255), "");
}

}  // namespace
