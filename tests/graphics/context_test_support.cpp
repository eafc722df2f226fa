#include "tests/graphics/context_test_support.h"

#include <GLFW/glfw3.h>
#include <stb/stb_image_write.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

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

void RemoveFolder() {
  if (!folder.empty()) std::system(("rm -rf '" + folder + "'").c_str());
}

void OpenWindow() {
  if (!glfwInit()) {
    fprintf(stderr, "no display for the graphics tests\n");
    exit(1);
  }
  glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
  GLFWwindow* window = glfwCreateWindow(640, 480, "graphics test", nullptr, nullptr);
  if (!window) {
    fprintf(stderr, "no window for the graphics tests\n");
    exit(1);
  }
  glfwMakeContextCurrent(window);
  VxGlfwGame::_window = window;
}

}  // namespace

RecordingDevice* TestDevice() {
  if (device) return device;
  char pattern[] = "/tmp/vx-graphics-XXXXXX";
  folder = mkdtemp(pattern);
  atexit(RemoveFolder);
  std::system(("mkdir -p '" + folder + "/data'").c_str());
  if (chdir(folder.c_str()) != 0) abort();
  gc_init1();
  vxInit();
  gc_mark();
  new VxGlfwGame();
  OpenWindow();
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

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
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
