#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "graphics/graphics.h"

// A device that remembers what the module sent it, and otherwise draws for
// real.
class RecordingDevice : public gxtkGraphics {
 public:
  int SetMatrix(float a, float b, float c, float d, float tx, float ty) override;
  int SetScissor(int x, int y, int w, int h) override;
  gxtkSurface* LoadSurface(String path) override;

  int matrixCalls = 0;
  int scissorCalls = 0;
  int lastScissor[4] = {0, 0, 0, 0};
  std::vector<std::string> loadedPaths;
};

// The process's one window (640x480 under the test display), the program's
// globals with the context, and a data folder of the test's own as the
// working directory. Set up on first use.
RecordingDevice* TestDevice();
// The working directory's "data" folder.
std::string DataPath(const std::string& name);

// Writes an RGBA PNG whose pixel (x, y) is colour(x, y) as 0xAARRGGBB.
void WritePng(const std::string& path, int width, int height,
              const std::function<uint32_t(int, int)>& colour);
void WriteBytes(const std::string& path, const std::string& bytes);

// A frame as the framework brackets it, minus the buffer swap, so that the
// back buffer can be read once the frame is ended. The frame starts cleared
// to black.
void BeginTestFrame();
void EndTestFrame();

// The window's pixel at (x, y) counted from the top left, as 0xRRGGBB.
uint32_t PixelAt(int x, int y);
