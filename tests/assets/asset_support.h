#pragma once
#include <string>
#include <vector>

// One image of the game's table: base name, frame size and count.
struct AssetImage {
  const char* name;
  int frameW, frameH, frames;
};

// The images the game loads, with the frame sizes it asks for.
extern const std::vector<AssetImage> kGameImages;

struct Level {
  int scale;
  const char* suffix;
};
extern const Level kLevels[3];

// A decoded RGBA file (straight alpha, as stb_image gives it).
struct Pixels {
  int width = 0, height = 0;
  std::vector<unsigned char> rgba;
  bool ok() const { return width > 0; }
  const unsigned char* at(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

Pixels loadPng(const std::string& path);
std::string dataPath(const std::string& name);

// Alpha statistics of one frame, laid out in rows as wide as the file.
struct FrameInk {
  int pixels = 0;                   // pixels with any alpha
  int minX = 1 << 30, maxX = -1;    // ink box within the frame
  int minY = 1 << 30, maxY = -1;
};
FrameInk frameInk(const Pixels& p, int frameW, int frameH, int frame, int threshold = 0);
