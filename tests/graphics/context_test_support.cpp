#include "tests/graphics/context_test_support.h"

#include <GLFW/glfw3.h>
#include <stb/stb_image_write.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "host/glfw_game.h"
#include "runtime/collector.h"
#include "runtime/startup.h"

int RecordingDevice::SetMatrix(float a, float b, float c, float d, float tx, float ty) {
  matrixCalls += 1;
  return gxtkGraphics::SetMatrix(a, b, c, d, tx, ty);
}

int RecordingDevice::SetScissor(int x, int y, int w, int h) {
  scissorCalls += 1;
  lastScissor[0] = x;
  lastScissor[1] = y;
  lastScissor[2] = w;
  lastScissor[3] = h;
  return gxtkGraphics::SetScissor(x, y, w, h);
}

gxtkSurface* RecordingDevice::LoadSurface(String path) {
  char* text = path.ToCString<char>();
  loadedPaths.push_back(text);
  free(text);
  return gxtkGraphics::LoadSurface(path);
}

namespace {

RecordingDevice* device;
std::string folder;

}  // namespace

RecordingDevice* TestDevice() {
  if (device) return device;
  static TempDir working;  // removed at exit
  folder = working.path();
  std::filesystem::create_directories(working.Path("data"));
  if (chdir(folder.c_str()) != 0) abort();
  gc_init1();
  vxInit();
  gc_mark();
  new VxGlfwGame();
  OpenTestWindow();
  device = new RecordingDevice();
  vx_graphics_SetGraphicsDevice(device);
  return device;
}

std::string DataPath(const std::string& name) {
  TestDevice();
  return folder + "/data/" + name;
}

void WritePng(const std::string& path, int width, int height,
              const std::function<uint32_t(int, int)>& colour) {
  std::vector<unsigned char> bytes(static_cast<size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint32_t argb = colour(x, y);
      unsigned char* p = &bytes[(static_cast<size_t>(y) * width + x) * 4];
      p[0] = (argb >> 16) & 255;
      p[1] = (argb >> 8) & 255;
      p[2] = argb & 255;
      p[3] = argb >> 24;
    }
  }
  if (!stbi_write_png(path.c_str(), width, height, 4, bytes.data(), width * 4)) abort();
}

void BeginTestFrame() {
  RecordingDevice* d = TestDevice();
  d->BeginRender();
  vx_graphics_BeginRender();
  vx_graphics_Cls(0, 0, 0);
}

void EndTestFrame() {
  vx_graphics_EndRender();
  device->Flush();
}

uint32_t PixelAt(int x, int y) {
  Array<int> pixel(1);
  TestDevice()->ReadPixels(pixel, x, y, 1, 1, 0, 1);
  return static_cast<uint32_t>(pixel[0]) & 0xFFFFFF;
}
