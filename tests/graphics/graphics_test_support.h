#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/graphics_device.h"

// A temporary directory of the test's own, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  std::string Path(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Pixels top row first, `channels` bytes each (1 grey, 2 grey+alpha, 3 RGB,
// 4 RGBA), written as a PNG file.
void WritePng(const std::string& path, int width, int height, int channels,
              const std::vector<uint8_t>& pixels);
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);

// The one 640x480 window of the test process, its OpenGL context current,
// and the desktop host; the collector's lists empty with the program's
// roots queued. Safe to call for every test.
void StartGraphicsRuntime();

// A fresh device set as the module's device, in a frame begun the way the
// framework begins one, on a black window.
class GraphicsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // One pixel of the back buffer as 0xAARRGGBB (window coordinates, y down).
  uint32_t Pixel(int x, int y);
  // The open batch drawn, as the end of a frame would draw it, without the
  // buffer swap that would make the back buffer unreadable.
  void Finish() { device->Flush(); }

  gxtkGraphics* device = nullptr;
  TempDir dir;
};

// The colour channels of a 0xAARRGGBB pixel.
inline int Red(uint32_t p) { return p >> 16 & 0xFF; }
inline int Green(uint32_t p) { return p >> 8 & 0xFF; }
inline int Blue(uint32_t p) { return p & 0xFF; }

// Channel values compared with a tolerance for the rasteriser's rounding.
::testing::AssertionResult RgbNear(uint32_t pixel, int r, int g, int b, int tolerance = 1);
