// Every image of the game's table exists at every resolution, decodes, and
// holds exactly the frames the game asks for, laid out in rows as wide as
// the file; and the generator writes the same bytes on every run.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "asset_support.h"

namespace {

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(AssetFiles, EveryImageExistsAtEveryLevelWithItsFrameLayout) {
  for (const AssetImage& img : kGameImages) {
    int columnsAtBase = -1;
    for (const Level& level : kLevels) {
      std::string file = std::string(img.name) + level.suffix + ".png";
      SCOPED_TRACE(file);
      Pixels p = loadPng(dataPath(file));
      ASSERT_TRUE(p.ok()) << "missing or undecodable";
      int fw = img.frameW * level.scale, fh = img.frameH * level.scale;
      EXPECT_LE(p.width, 4096);
      EXPECT_LE(p.height, 4096);
      ASSERT_EQ(p.width % fw, 0) << "width is not a whole number of frames";
      ASSERT_EQ(p.height % fh, 0) << "height is not a whole number of frames";
      int columns = p.width / fw, rows = p.height / fh;
      EXPECT_LE(columns, img.frames) << "wider than the frames need";
      EXPECT_EQ(rows, (img.frames + columns - 1) / columns) << "rows do not match the frame count";
      // The loader reads frames row by row with the same columns at every level.
      if (columnsAtBase < 0) columnsAtBase = columns;
      EXPECT_EQ(columns, columnsAtBase);
    }
  }
}

TEST(AssetFiles, HighResolutionFilesShowTheSameArtAsTheBaseFile) {
  // Each level is drawn afresh, but reduced to the base size it must show
  // the same picture in the same place (frame order, alignment, content).
  for (const AssetImage& img : kGameImages) {
    Pixels base = loadPng(dataPath(std::string(img.name) + ".png"));
    ASSERT_TRUE(base.ok()) << img.name;
    for (int li = 1; li < 3; ++li) {
      const Level& level = kLevels[li];
      SCOPED_TRACE(std::string(img.name) + level.suffix);
      Pixels hd = loadPng(dataPath(std::string(img.name) + level.suffix + ".png"));
      ASSERT_TRUE(hd.ok());
      ASSERT_EQ(hd.width, base.width * level.scale);
      int s = level.scale;
      double total = 0;
      for (int y = 0; y < base.height; ++y)
        for (int x = 0; x < base.width; ++x)
          for (int c = 0; c < 4; ++c) {
            // Compare premultiplied values, so invisible colour does not count.
            double sum = 0;
            for (int yy = 0; yy < s; ++yy)
              for (int xx = 0; xx < s; ++xx) {
                const unsigned char* q = hd.at(x * s + xx, y * s + yy);
                sum += c == 3 ? q[3] : q[c] * q[3] / 255.0;
              }
            const unsigned char* b = base.at(x, y);
            double v = c == 3 ? b[3] : b[c] * b[3] / 255.0;
            total += std::abs(sum / (s * s) - v);
          }
      double mean = total / (static_cast<double>(base.width) * base.height * 4);
      EXPECT_LT(mean, 6.0) << "mean difference per channel";
    }
  }
}

TEST(AssetFiles, DefaultFontStripHasNinetySixPaddedCells) {
  Pixels p = loadPng(dataPath("oxle_font.png"));
  ASSERT_TRUE(p.ok());
  ASSERT_EQ(p.width % 96, 0);
  int cell = p.width / 96;
  ASSERT_GE(cell, 5);
  for (int i = 0; i < 96; ++i) {
    SCOPED_TRACE("character " + std::to_string(32 + i));
    for (int y = 0; y < p.height; ++y) {
      // The loader drops one column on each side of every cell.
      EXPECT_EQ(p.at(i * cell, y)[3], 0);
      EXPECT_EQ(p.at(i * cell + cell - 1, y)[3], 0);
    }
    FrameInk ink = frameInk(p, cell, p.height, i);
    if (i == 0)
      EXPECT_EQ(ink.pixels, 0) << "space";
    else
      EXPECT_GT(ink.pixels, 0) << "empty glyph";
  }
}

int run(const std::string& command) { return std::system(command.c_str()); }

TEST(AssetGenerator, WritesTheSameBytesOnEveryRunAndNoTimestamps) {
  char templ[] = "/tmp/assetgen-XXXXXX";
  ASSERT_NE(mkdtemp(templ), nullptr);
  std::string dir = templ;
  ASSERT_EQ(run(std::string(ASSETGEN) + " " + dir + "/a"), 0);
  ASSERT_EQ(run(std::string(ASSETGEN) + " " + dir + "/b"), 0);
  std::vector<std::string> files = {"oxle_font.png"};
  for (const AssetImage& img : kGameImages)
    for (const Level& level : kLevels) files.push_back(std::string(img.name) + level.suffix + ".png");
  for (const std::string& f : files) {
    SCOPED_TRACE(f);
    std::string a = readAll(dir + "/a/" + f), b = readAll(dir + "/b/" + f);
    ASSERT_FALSE(a.empty());
    EXPECT_TRUE(a == b) << "differs between runs";
    // Nor does it differ from what the build put into the game folder.
    EXPECT_TRUE(a == readAll(dataPath(f))) << "differs from the build's copy";
    EXPECT_EQ(a.find("tIME"), std::string::npos);
    EXPECT_EQ(a.find("tEXt"), std::string::npos);
  }
  run("rm -rf " + dir);
}

TEST(AssetGenerator, FailsWhenItCannotWrite) {
  // A data folder below a plain file cannot be made: no half-written success.
  char templ[] = "/tmp/assetgen-XXXXXX";
  ASSERT_NE(mkdtemp(templ), nullptr);
  std::string dir = templ;
  std::ofstream(dir + "/file") << "x";
  EXPECT_NE(run(std::string(ASSETGEN) + " " + dir + "/file/data 2>/dev/null"), 0);
  EXPECT_NE(run(std::string(ASSETGEN) + " 2>/dev/null"), 0) << "no folder given";
  run("rm -rf " + dir);
}

}  // namespace
