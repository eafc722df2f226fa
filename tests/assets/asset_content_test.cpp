// What the game relies on inside the images: the block geometry its board
// drawing assumes, glyph placement at the font's pitch, white art that the
// game can tint, and no empty frames.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "asset_support.h"

namespace {

struct Loaded {
  Pixels p;
  int scale;
};

Loaded load(const char* name, const Level& level) {
  return {loadPng(dataPath(std::string(name) + level.suffix + ".png")), level.scale};
}

// Pixel of frame `frame` at base-unit position (x, y), sampled at the centre
// of the high-resolution pixel block.
const unsigned char* sample(const Loaded& l, int frameW, int frameH, int frame, double x, double y) {
  int fw = frameW * l.scale, fh = frameH * l.scale, columns = l.p.width / fw;
  int px = (frame % columns) * fw + static_cast<int>(x * l.scale);
  int py = (frame / columns) * fh + static_cast<int>(y * l.scale);
  return l.p.at(px, py);
}

// Mean luminance of the front face; premultiplied counts how much light the
// frame adds, straight compares the colours themselves.
double faceLuminance(const Loaded& l, int frame, bool premultiplied = true) {
  double sum = 0;
  int n = 0;
  for (int y = 20; y < 60; y += 2)
    for (int x = 4; x < 44; x += 2) {
      const unsigned char* q = sample(l, 64, 64, frame, x + 0.5, y + 0.5);
      sum += (0.3 * q[0] + 0.59 * q[1] + 0.11 * q[2]) * (premultiplied ? q[3] / 255.0 : 1.0);
      ++n;
    }
  return sum / n;
}

TEST(AssetContent, EveryFrameHasSomethingToShow) {
  for (const AssetImage& img : kGameImages)
    for (const Level& level : kLevels) {
      Loaded l = load(img.name, level);
      ASSERT_TRUE(l.p.ok()) << img.name;
      bool font = std::string(img.name) == "fonts/quillset";
      for (int f = 0; f < img.frames; ++f) {
        if (font && (f == 0 || f >= 95)) continue;  // space, and past the ASCII range
        FrameInk ink = frameInk(l.p, img.frameW * l.scale, img.frameH * l.scale, f, 8);
        EXPECT_GT(ink.pixels, 0) << img.name << level.suffix << " frame " << f << " is empty";
      }
    }
}

TEST(AssetContent, BricksHaveAFrontFaceLowerLeftAndDepthUpperRight) {
  for (const Level& level : kLevels) {
    Loaded l = load("bricks", level);
    ASSERT_TRUE(l.p.ok());
    for (int f = 0; f < 30; ++f) {
      SCOPED_TRACE("bricks" + std::string(level.suffix) + " frame " + std::to_string(f));
      // Solid where the face, the top and the right side are.
      EXPECT_EQ(sample(l, 64, 64, f, 24.5, 40.5)[3], 255) << "face centre";
      EXPECT_EQ(sample(l, 64, 64, f, 2.5, 62.5)[3], 255) << "face, lower-left corner";
      EXPECT_EQ(sample(l, 64, 64, f, 45.5, 18.5)[3], 255) << "face, upper-right corner";
      EXPECT_EQ(sample(l, 64, 64, f, 40.5, 8.5)[3], 255) << "top side";
      EXPECT_EQ(sample(l, 64, 64, f, 56.5, 32.5)[3], 255) << "right side";
      // Clear in the two corners a 3-D brick leaves open.
      EXPECT_EQ(sample(l, 64, 64, f, 2.5, 2.5)[3], 0) << "upper-left corner";
      EXPECT_EQ(sample(l, 64, 64, f, 61.5, 61.5)[3], 0) << "lower-right corner";
    }
    for (int f = 30; f < 40; ++f) {
      SCOPED_TRACE("bricks" + std::string(level.suffix) + " frame " + std::to_string(f));
      int a = sample(l, 64, 64, f, 24.5, 40.5)[3];
      EXPECT_GT(a, 100) << "a dissolving block is still seen";
      EXPECT_LT(a, 255) << "a dissolving block fades";
    }
    for (int t = 0; t < 10; ++t) {
      SCOPED_TRACE("block type " + std::to_string(t + 1) + std::string(level.suffix));
      double normal = faceLuminance(l, t);
      EXPECT_GT(faceLuminance(l, t + 20), normal + 8) << "the held version is clearly brighter";
      EXPECT_GT(faceLuminance(l, t + 30, false), faceLuminance(l, t, false) + 8) << "the dissolving version glows";
    }
  }
}

TEST(AssetContent, BlockColoursAreDistinct) {
  Loaded l = load("bricks", kLevels[0]);
  ASSERT_TRUE(l.p.ok());
  std::vector<std::array<double, 3>> faces;
  for (int f = 0; f < 10; ++f) {
    std::array<double, 3> c{};
    for (int y = 22; y < 58; y += 3)
      for (int x = 6; x < 42; x += 3)
        for (int k = 0; k < 3; ++k) c[k] += sample(l, 64, 64, f, x, y)[k] / 144.0;
    faces.push_back(c);
  }
  for (int a = 0; a < 10; ++a)
    for (int b = a + 1; b < 10; ++b) {
      double d = std::sqrt(std::pow(faces[a][0] - faces[b][0], 2) + std::pow(faces[a][1] - faces[b][1], 2) +
                           std::pow(faces[a][2] - faces[b][2], 2));
      EXPECT_GT(d, 40) << "frames " << a << " and " << b << " look alike";
    }
}

TEST(AssetContent, GameFontGlyphsSitCentredAtTheGamePitch) {
  for (const Level& level : kLevels) {
    Loaded l = load("fonts/quillset", level);
    ASSERT_TRUE(l.p.ok());
    int s = l.scale;
    for (int c = 33; c < 127; ++c) {
      SCOPED_TRACE(std::string("character '") + static_cast<char>(c) + "' " + level.suffix);
      FrameInk ink = frameInk(l.p, 16 * s, 16 * s, c - 32, 64);
      ASSERT_GT(ink.pixels, 0);
      // Glyphs advance 7 units: the white body must stay within about 7.5 units.
      double width = (ink.maxX - ink.minX + 1) / static_cast<double>(s);
      EXPECT_LE(width, 7.5);
      // Mid-handled: glyphs centre on the cell horizontally and lie in the
      // band of a 10-unit line around its middle.
      double cx = (ink.minX + ink.maxX + 1) / 2.0 / s;
      if (c != '_' && c != '\'' && c != ',' && c != '.' && c != '`') {
        EXPECT_NEAR(cx, 8.4, 2.0);
      }
      EXPECT_GE(ink.minY / static_cast<double>(s), 2.5);
      if (c != '_') {
        EXPECT_LE((ink.maxY + 1) / static_cast<double>(s), 15.5);
      }
    }
    // Upper-case letters share one cap height and baseline.
    FrameInk h = frameInk(l.p, 16 * s, 16 * s, 'H' - 32, 128), e = frameInk(l.p, 16 * s, 16 * s, 'E' - 32, 128);
    EXPECT_EQ(h.minY, e.minY);
    EXPECT_EQ(h.maxY, e.maxY);
    double cap = (h.maxY - h.minY + 1) / static_cast<double>(s);
    EXPECT_GE(cap, 6.5);
    EXPECT_LE(cap, 9.0) << "two lines 10 units apart must not touch";
  }
}

// White art is tinted by the game, so it must carry no colour of its own.
TEST(AssetContent, TintedArtIsGreyscale) {
  const char* names[] = {"common/icons", "ring", "fonts/quillset", "menu"};
  for (const char* name : names)
    for (const Level& level : kLevels) {
      Loaded l = load(name, level);
      ASSERT_TRUE(l.p.ok());
      int coloured = 0;
      for (int y = 0; y < l.p.height; ++y)
        for (int x = 0; x < l.p.width; ++x) {
          const unsigned char* q = l.p.at(x, y);
          if (q[3] > 16 && (std::abs(q[0] - q[1]) > 3 || std::abs(q[1] - q[2]) > 3)) ++coloured;
        }
      EXPECT_EQ(coloured, 0) << name << level.suffix;
      if (std::string(name) != "common/icons" && std::string(name) != "ring") continue;
      // And its brightest parts are white, so the tint shows at full strength.
      int white = 0;
      for (size_t i = 0; i < l.p.rgba.size(); i += 4)
        if (l.p.rgba[i + 3] == 255 && l.p.rgba[i] >= 250) ++white;
      EXPECT_GT(white, 0) << name << level.suffix;
    }
}

TEST(AssetContent, BackgroundPatternFadesOutBeforeItsEdges) {
  // Drawn three times its size and turning, the square's edge must never show.
  for (const Level& level : kLevels) {
    Loaded l = load("menu", level);
    ASSERT_TRUE(l.p.ok());
    for (int f = 0; f < 4; ++f) {
      SCOPED_TRACE("menu" + std::string(level.suffix) + " frame " + std::to_string(f));
      EXPECT_EQ(sample(l, 256, 256, f, 128, 128)[3], 255);
      for (int i = 0; i < 256; i += 4) {
        EXPECT_EQ(sample(l, 256, 256, f, i + 0.5, 0.5)[3], 0);
        EXPECT_EQ(sample(l, 256, 256, f, 0.5, i + 0.5)[3], 0);
        EXPECT_EQ(sample(l, 256, 256, f, i + 0.5, 255.5)[3], 0);
        EXPECT_EQ(sample(l, 256, 256, f, 255.5, i + 0.5)[3], 0);
      }
    }
  }
}

}  // namespace

namespace {

double meanFrameDifference(const Loaded& l, int fw, int fh, int a, int b) {
  double total = 0;
  for (int y = 0; y < fh; ++y)
    for (int x = 0; x < fw; ++x) {
      const unsigned char* p = sample(l, fw, fh, a, x, y);
      const unsigned char* q = sample(l, fw, fh, b, x, y);
      for (int c = 0; c < 4; ++c) total += std::abs(p[c] * p[3] / 255.0 - q[c] * q[3] / 255.0);
    }
  return total / (fw * fh * 4);
}

TEST(AssetContent, ArtStaysInsideItsFrames) {
  // Art touching a frame's border is cut off, and bleeds into the next
  // frame when the texture is filtered. Blocks fill their frames on purpose.
  for (const AssetImage& img : kGameImages) {
    std::string name = img.name;
    if (name == "bricks") continue;
    for (const Level& level : kLevels) {
      Loaded l = load(img.name, level);
      ASSERT_TRUE(l.p.ok());
      int fw = img.frameW * l.scale, fh = img.frameH * l.scale, columns = l.p.width / fw;
      for (int f = 0; f < img.frames; ++f) {
        int ox = (f % columns) * fw, oy = (f / columns) * fh, worst = 0;
        for (int i = 0; i < fw; ++i) {
          worst = std::max({worst, int(l.p.at(ox + i, oy)[3]), int(l.p.at(ox + i, oy + fh - 1)[3])});
        }
        for (int i = 0; i < fh; ++i) {
          worst = std::max({worst, int(l.p.at(ox, oy + i)[3]), int(l.p.at(ox + fw - 1, oy + i)[3])});
        }
        EXPECT_LE(worst, 8) << name << level.suffix << " frame " << f << " touches its border";
      }
    }
  }
}

TEST(AssetContent, SixtyFourDistinctBadges) {
  Loaded l = load("BadgesA", kLevels[0]);
  ASSERT_TRUE(l.p.ok());
  double closest = 1e9;
  int pa = -1, pb = -1;
  for (int a = 0; a < 64; ++a)
    for (int b = a + 1; b < 64; ++b) {
      double d = meanFrameDifference(l, 64, 64, a, b);
      if (d < closest) closest = d, pa = a, pb = b;
    }
  EXPECT_GT(closest, 1.5) << "badges " << pa << " and " << pb << " look alike";
}

TEST(AssetContent, DifficultyButtonsCarryDifferentWhiteLabels) {
  for (const Level& level : kLevels) {
    Loaded l = load("common/Buttons", level);
    ASSERT_TRUE(l.p.ok());
    for (int f = 0; f < 3; ++f) {
      int white = 0;
      for (double y = 12; y < 26; y += 0.5)
        for (double x = 8; x < 56; x += 0.5) {
          const unsigned char* q = sample(l, 64, 64, f, x, y);
          if (q[3] == 255 && q[0] > 240 && q[1] > 240 && q[2] > 240) ++white;
        }
      EXPECT_GT(white, 60) << "button " << f << level.suffix << " has no legible label";
    }
    EXPECT_GT(meanFrameDifference(l, 64, 64, 0, 1), 10);
    EXPECT_GT(meanFrameDifference(l, 64, 64, 1, 2), 10);
    EXPECT_GT(meanFrameDifference(l, 64, 64, 0, 2), 10);
  }
}

TEST(AssetContent, ParticlesAreLight) {
  for (const Level& level : kLevels) {
    Loaded l = load("parts", level);
    ASSERT_TRUE(l.p.ok());
    for (int f = 0; f < 16; ++f) {
      double sum = 0;
      int n = 0;
      for (int y = 0; y < 8 * l.scale; ++y)
        for (int x = 0; x < 8 * l.scale; ++x) {
          const unsigned char* q = sample(l, 8, 8, f, double(x) / l.scale, double(y) / l.scale);
          if (q[3] < 128) continue;
          sum += 0.3 * q[0] + 0.59 * q[1] + 0.11 * q[2];
          ++n;
        }
      ASSERT_GT(n, 0) << "particle " << f << level.suffix;
      EXPECT_GT(sum / n, 170) << "particle " << f << level.suffix << " is dark";
    }
  }
}

TEST(AssetContent, RingLeavesTheHeldBlockInSight) {
  for (const Level& level : kLevels) {
    Loaded l = load("ring", level);
    ASSERT_TRUE(l.p.ok());
    int covered = 0;
    for (double y = 40; y < 88; y += 1)
      for (double x = 40; x < 88; x += 1)
        if (std::hypot(x + 0.5 - 64, y + 0.5 - 64) < 26 && sample(l, 128, 128, 0, x + 0.5, y + 0.5)[3] > 60)
          ++covered;
    EXPECT_EQ(covered, 0) << level.suffix;
    // And around the block it is bold: a full white circle.
    for (int i = 0; i < 36; ++i) {
      double a = i * M_PI / 18;
      EXPECT_EQ(sample(l, 128, 128, 0, 64 + 40 * std::cos(a), 64 + 40 * std::sin(a))[3], 255) << level.suffix;
    }
  }
}

}  // namespace
