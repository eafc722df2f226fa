#include "asset_support.h"

#include <stb/stb_image.h>

#include <algorithm>

const std::vector<AssetImage> kGameImages = {
    {"bricks", 64, 64, 40},
    {"ring", 128, 128, 1},
    {"BadgesA", 64, 64, 64},
    {"fonts/quillset", 16, 16, 128},
    {"common/Testcard_Circle", 256, 256, 1},
    {"common/icade", 64, 64, 2},
    {"common/ZUKOLogo", 256, 256, 1},
    {"common/dpad", 32, 32, 16},
    {"common/Buttons", 64, 64, 16},
    {"parts", 8, 8, 16},
    {"common/icons", 32, 32, 16},
    {"logo", 256, 128, 1},
    {"menu", 256, 256, 4},
};

const Level kLevels[3] = {{1, ""}, {2, "-hd"}, {4, "-hd2"}};

std::string dataPath(const std::string& name) { return std::string(VX_TEST_DATA_DIR) + "/" + name; }

Pixels loadPng(const std::string& path) {
  Pixels p;
  int channels = 0;
  unsigned char* data = stbi_load(path.c_str(), &p.width, &p.height, &channels, 4);
  if (!data) {
    p.width = p.height = 0;
    return p;
  }
  p.rgba.assign(data, data + static_cast<size_t>(p.width) * p.height * 4);
  stbi_image_free(data);
  return p;
}

FrameInk frameInk(const Pixels& p, int frameW, int frameH, int frame, int threshold) {
  FrameInk ink;
  int columns = p.width / frameW;
  int ox = (frame % columns) * frameW, oy = (frame / columns) * frameH;
  for (int y = 0; y < frameH; ++y)
    for (int x = 0; x < frameW; ++x)
      if (p.at(ox + x, oy + y)[3] > threshold) {
        ++ink.pixels;
        ink.minX = std::min(ink.minX, x);
        ink.maxX = std::max(ink.maxX, x);
        ink.minY = std::min(ink.minY, y);
        ink.maxY = std::max(ink.maxY, y);
      }
  return ink;
}
