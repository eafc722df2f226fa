#include <GL/gl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

#include "runtime/collector.h"
#include "tests/graphics/context_test_support.h"

namespace {

using Origins = std::vector<std::pair<int, int>>;

Origins FramesOf(c_Image* image) {
  Origins origins;
  for (int i = 0; i < image->frames.Length(); ++i) {
    origins.emplace_back(image->frames[i]->x, image->frames[i]->y);
  }
  return origins;
}

// Still one of the collector's objects, not freed.
bool Live(const gc_object* p) {
  for (gc_object* list : {&gc_unmarked_list, &gc_queued_list, &gc_marked_list}) {
    for (gc_object* q = list->next; q != list; q = q->next) {
      if (q == p) return true;
    }
  }
  return false;
}

uint32_t Opaque(int, int) { return 0xFF808080; }

class ImageFrames : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WritePng(DataPath("strip.png"), 320, 32, Opaque);
    WritePng(DataPath("grid.png"), 64, 64, Opaque);
    WritePng(DataPath("font.png"), 960, 12, Opaque);
  }
};

TEST_F(ImageFrames, StripIsCutIntoEqualFramesLeftToRight) {
  c_Image* image = vx_graphics_LoadImage(String("strip.png"), 10, 0);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 32);
  EXPECT_EQ(image->height, 32);
  Origins expected;
  for (int i = 0; i < 10; ++i) expected.emplace_back(32 * i, 0);
  EXPECT_EQ(FramesOf(image), expected);
  EXPECT_EQ(image->flags, 0);
  EXPECT_EQ(image->source, nullptr);
  EXPECT_EQ(image->surface->Width(), 320);
}

TEST_F(ImageFrames, OneFrameOverTheWholeSurfaceGetsTheFullFrameBit) {
  c_Image* image = vx_graphics_LoadImage(String("strip.png"), 1, 0);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->flags, c_Image::FullFrame);
  EXPECT_EQ(image->width, 320);
  // Padding makes the frame smaller than the surface: no full frame.
  c_Image* padded = vx_graphics_LoadImage(String("strip.png"), 1, c_Image::XPadding);
  EXPECT_EQ(padded->flags, c_Image::XPadding);
  // New flags replace the old ones, the full-frame bit included, which is
  // then worked out again.
  image->p_ApplyFlags(0);
  EXPECT_EQ(image->flags, c_Image::FullFrame);
}

TEST_F(ImageFrames, PaddingFlagsShrinkFramesAndMoveTheirOrigins) {
  c_Image* x = vx_graphics_LoadImage(String("strip.png"), 10, c_Image::XPadding);
  EXPECT_EQ(x->width, 30);
  EXPECT_EQ(x->height, 32);
  EXPECT_EQ(FramesOf(x)[0], std::make_pair(1, 0));
  EXPECT_EQ(FramesOf(x)[1], std::make_pair(33, 0));
  EXPECT_EQ(FramesOf(x)[9], std::make_pair(289, 0));
  EXPECT_EQ(x->handleX, 0);
  EXPECT_EQ(x->handleY, 0);

  c_Image* y = vx_graphics_LoadImage(String("strip.png"), 10, c_Image::YPadding);
  EXPECT_EQ(y->width, 32);
  EXPECT_EQ(y->height, 30);
  EXPECT_EQ(FramesOf(y)[1], std::make_pair(32, 1));

  c_Image* xy = vx_graphics_LoadImage(String("strip.png"), 10, c_Image::XYPadding);
  EXPECT_EQ(xy->width, 30);
  EXPECT_EQ(xy->height, 30);
  EXPECT_EQ(FramesOf(xy)[2], std::make_pair(65, 1));
  EXPECT_EQ(xy->flags, c_Image::XYPadding);
}

TEST_F(ImageFrames, MidHandleIsTheCentreOfThePaddedFrameAndClearsItsBit) {
  c_Image* image = vx_graphics_LoadImage(String("strip.png"), 10, c_Image::MidHandle | c_Image::XPadding);
  EXPECT_EQ(image->handleX, 15);
  EXPECT_EQ(image->handleY, 16);
  EXPECT_EQ(image->flags, c_Image::XPadding);

  c_Image* whole = vx_graphics_LoadImage(String("strip.png"), 1, c_Image::MidHandle);
  EXPECT_EQ(whole->handleX, 160);
  EXPECT_EQ(whole->flags, c_Image::FullFrame);

  whole->p_SetHandle(3.5f, -2);
  EXPECT_EQ(whole->handleX, 3.5f);
  EXPECT_EQ(whole->handleY, -2);
}

TEST_F(ImageFrames, GridIsReadInRowsAsWideAsTheFile) {
  c_Image* image = vx_graphics_LoadImage2(String("grid.png"), 32, 32, 4, 0);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(FramesOf(image), (Origins{{0, 0}, {32, 0}, {0, 32}, {32, 32}}));
  EXPECT_EQ(image->width, 32);
  EXPECT_EQ(image->height, 32);
  ASSERT_NE(image->source, nullptr);
  EXPECT_EQ(image->surface, image->source->surface);
  EXPECT_EQ(image->source->flags, c_Image::FullFrame);
  EXPECT_EQ(image->flags, 0);
}

TEST_F(ImageFrames, GrabWrapsToTheLeftEdgeAndOffsetsBySourceFrame) {
  c_Image* atlas = vx_graphics_LoadImage(String("grid.png"), 1, 0);
  c_Image* grabbed = atlas->p_GrabImage(16, 8, 32, 16, 3, 0);
  // The second frame would cross the right edge: the row starts again at 0.
  EXPECT_EQ(FramesOf(grabbed), (Origins{{16, 8}, {0, 24}, {32, 24}}));

  // A padded source: its own frame size bounds the grab, and its frame's
  // origin is added.
  c_Image* padded = vx_graphics_LoadImage(String("grid.png"), 1, c_Image::XYPadding);
  EXPECT_EQ(padded->width, 62);
  c_Image* cells = padded->p_GrabImage(0, 0, 31, 31, 4, c_Image::MidHandle);
  EXPECT_EQ(FramesOf(cells), (Origins{{1, 1}, {32, 1}, {1, 32}, {32, 32}}));
  EXPECT_EQ(cells->handleX, 15.5f);
  EXPECT_EQ(cells->source, padded);
}

TEST_F(ImageFrames, OnlyAOneFrameImageCanBeGrabbedFrom) {
  c_Image* strip = vx_graphics_LoadImage(String("strip.png"), 10, 0);
  EXPECT_EQ(strip->p_GrabImage(0, 0, 8, 8, 1, 0), nullptr);
}

TEST_F(ImageFrames, DefaultFontLayoutHasGlyphsBetweenPaddingColumns) {
  c_Image* font = vx_graphics_LoadImage(String("font.png"), 96, c_Image::XPadding);
  ASSERT_EQ(font->frames.Length(), 96);
  EXPECT_EQ(font->width, 8);
  EXPECT_EQ(font->height, 12);
  EXPECT_EQ(FramesOf(font)[0], std::make_pair(1, 0));
  EXPECT_EQ(FramesOf(font)[1], std::make_pair(11, 0));
  EXPECT_EQ(FramesOf(font)[2], std::make_pair(21, 0));
  EXPECT_EQ(FramesOf(font)[95], std::make_pair(951, 0));
}

TEST_F(ImageFrames, ZeroFramesGiveAnImageWithoutFramesInsteadOfADivisionByZero) {
  c_Image* image = vx_graphics_LoadImage(String("strip.png"), 0, 0);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->frames.Length(), 0);
  EXPECT_EQ(image->width, 0);
  c_Image* none = vx_graphics_LoadImage2(String("grid.png"), 32, 32, -3, 0);
  ASSERT_NE(none, nullptr);
  EXPECT_EQ(none->frames.Length(), 0);
}

TEST_F(ImageFrames, ImagesWithoutSurfaceOrFramesTakeFlagsAndGrabsSafely) {
  // A new image has no surface yet: flags apply, but no full frame.
  c_Image* fresh = (new c_Image())->m_new();
  fresh->p_ApplyFlags(c_Image::MidHandle | c_Image::YPadding);
  EXPECT_EQ(fresh->flags, c_Image::YPadding);
  EXPECT_EQ(fresh->height, -2);
  EXPECT_EQ(fresh->handleY, -1);

  // Empty frames fit a frameless source; they start where the grab says.
  c_Image* frameless = vx_graphics_LoadImage(String("strip.png"), 0, 0);
  ASSERT_NE(frameless, nullptr);
  c_Image* grabbed = (new c_Image())->m_new()->p_Grab(0, 0, 0, 0, 2, 0, frameless);
  EXPECT_EQ(FramesOf(grabbed), (Origins{{0, 0}, {0, 0}}));
  EXPECT_EQ(grabbed->surface, frameless->surface);
  EXPECT_EQ(grabbed->flags, 0);
}

TEST_F(ImageFrames, AGrabbedImageKeepsItsSourceAndSurfaceAlive) {
  c_Image* cells = vx_graphics_LoadImage2(String("grid.png"), 32, 32, 4, 0);
  c_Image* lost = vx_graphics_LoadImage(String("strip.png"), 1, 0);
  const GLuint kept = cells->surface->textureId;
  const GLuint gone = lost->surface->textureId;
  ASSERT_TRUE(glIsTexture(kept));
  ASSERT_TRUE(glIsTexture(gone));
  // The drawing context is a root; its font is the only way to the grid.
  vx_graphics_SetFont(cells, 0);
  for (int i = 0; i < 3; ++i) {
    gc_force_sweep = true;
    gc_collect();
  }
  EXPECT_TRUE(glIsTexture(kept));
  EXPECT_FALSE(glIsTexture(gone));
  EXPECT_TRUE(Live(cells));
  EXPECT_TRUE(Live(cells->frames.rep));
  EXPECT_TRUE(Live(cells->frames[3]));
  ASSERT_TRUE(Live(cells->source));
  EXPECT_TRUE(Live(cells->source->frames[0]));
  ASSERT_EQ(cells->frames.Length(), 4);
  EXPECT_EQ(cells->frames[3]->x, 32);
  EXPECT_EQ(cells->source->frames.Length(), 1);
  EXPECT_EQ(cells->source->surface, cells->surface);
}

TEST(ImageLoading, BadFilesGiveNoImage) {
  WriteFile(DataPath("empty.png"), "");
  WriteFile(DataPath("text.png"), "this is not an image at all\n");
  WritePng(DataPath("whole.png"), 16, 16, Opaque);
  {
    std::ifstream in(DataPath("whole.png"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    WriteFile(DataPath("truncated.png"), bytes.substr(0, bytes.size() / 2));
  }
  for (const char* name : {"missing.png", "empty.png", "text.png", "truncated.png"}) {
    EXPECT_EQ(vx_graphics_LoadImage(String(name), 1, 0), nullptr) << name;
    EXPECT_EQ(vx_graphics_LoadImage2(String(name), 8, 8, 1, 0), nullptr) << name;
  }
  EXPECT_NE(vx_graphics_LoadImage(String("whole.png"), 1, 0), nullptr);
}

TEST(ImageLoading, PlainNamesAreLookedUpInTheDataFolder) {
  WritePng(DataPath("where.png"), 4, 4, Opaque);
  RecordingDevice* device = TestDevice();
  device->loadedPaths.clear();
  ASSERT_NE(vx_graphics_LoadImage(String("where.png"), 1, 0), nullptr);
  ASSERT_NE(vx_graphics_LoadImage(String("./data/where.png"), 1, 0), nullptr);
  EXPECT_EQ(device->loadedPaths, (std::vector<std::string>{"quibbo://data/where.png", "./data/where.png"}));
}

}  // namespace
