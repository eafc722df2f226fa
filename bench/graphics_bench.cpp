// Frames of 2,499 textured quads drawn the way the game draws its board:
// frames of one sheet, each rotated and scaled about its handle through the
// graphics module. Needs a display (run it under xvfb-run).
#include <GL/gl.h>
#include <GLFW/glfw3.h>
#include <stb/stb_image_write.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "graphics/graphics.h"
#include "host/glfw_game.h"
#include "runtime/collector.h"

namespace {

const int kQuads = 2499;
const int kWarmUpFrames = 20;
const int kFrames = 200;

// Time spent in the quad loop alone: the module and the device building the
// batch (and issuing the draw calls of the full batches).
double quadLoopSeconds = 0;

double Seconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// An 8x8 grid of 64x64 cells, each its own colour with a soft edge.
std::string WriteSheet(const std::string& dir) {
  const int side = 512;
  std::vector<unsigned char> pixels(side * side * 4);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      unsigned char* p = &pixels[(y * side + x) * 4];
      int cell = (y / 64) * 8 + x / 64;
      p[0] = static_cast<unsigned char>(cell * 37);
      p[1] = static_cast<unsigned char>(cell * 91);
      p[2] = static_cast<unsigned char>(cell * 13);
      p[3] = (x % 64 == 0 || y % 64 == 0) ? 128 : 255;
    }
  }
  std::string path = dir + "/sheet.png";
  stbi_write_png(path.c_str(), side, side, 4, pixels.data(), side * 4);
  return path;
}

// One frame of the board: quads in rows, each turned and sized a little
// differently, with a few colour and alpha changes as the game makes them.
void DrawFrame(gxtkGraphics* device, c_Image* sheet, int frameNumber) {
  device->BeginRender();
  vx_graphics_BeginRender();
  vx_graphics_Cls(20, 20, 40);
  double start = Seconds();
  for (int i = 0; i < kQuads; ++i) {
    if (i % 100 == 0) {
      vx_graphics_SetColor(255, 255 - i % 200, 255);
      vx_graphics_SetAlpha(0.5f + (i % 300) / 600.0f);
    }
    float x = static_cast<float>(i % 50) * 12.8f + 6;
    float y = static_cast<float>(i / 50) * 9.6f + 5;
    float rotation = static_cast<float>((i * 7 + frameNumber) % 360);
    float scale = 0.15f + (i % 5) * 0.01f;
    vx_graphics_DrawImage2(sheet, x, y, rotation, scale, scale, i % 64);
  }
  quadLoopSeconds += Seconds() - start;
  vx_graphics_EndRender();
  device->EndRender();
}

}  // namespace

int main() {
  if (!glfwInit()) {
    puts("glfwInit failed (no display?)");
    return 1;
  }
  GLFWwindow* window = glfwCreateWindow(640, 480, "graphics bench", nullptr, nullptr);
  if (!window) {
    puts("no window");
    return 1;
  }
  glfwMakeContextCurrent(window);
  glfwSwapInterval(0);  // measure drawing, not the display's refresh
  VxGlfwGame::_window = window;
  new VxGlfwGame();

  gc_init1();
  gc_mark();
  gc_assign(vx_graphics_context, (new c_GraphicsContext())->m_new());
  gxtkGraphics* device = new gxtkGraphics();
  vx_graphics_SetGraphicsDevice(device);

  char dirName[] = "/tmp/vx-graphics-bench-XXXXXX";
  if (!mkdtemp(dirName)) return 1;
  std::string sheetPath = WriteSheet(dirName);
  c_Image* sheet = vx_graphics_LoadImage2(String(sheetPath.c_str()), 64, 64, 64, 1);
  std::filesystem::remove_all(dirName);
  if (!sheet) {
    puts("sheet did not load");
    return 1;
  }

  for (int f = 0; f < kWarmUpFrames; ++f) DrawFrame(device, sheet, f);
  glFinish();

  // Whole frames as the main loop renders them (begin, quads, end with the
  // swap), then with the driver made to finish each frame before the next.
  device->drawCalls = 0;
  quadLoopSeconds = 0;
  double start = Seconds();
  for (int f = 0; f < kFrames; ++f) DrawFrame(device, sheet, f);
  double submitted = Seconds() - start;
  int calls = device->drawCalls;
  double quadLoop = quadLoopSeconds;
  glFinish();

  start = Seconds();
  for (int f = 0; f < kFrames; ++f) {
    DrawFrame(device, sheet, f);
    glFinish();
  }
  double finished = Seconds() - start;

  printf("graphics: %d textured quads per frame through vx_graphics_DrawImage2\n", kQuads);
  printf("  draw calls per frame:            %.1f\n", static_cast<double>(calls) / kFrames);
  printf("  microseconds per frame (quads):  %.1f\n", quadLoop * 1e6 / kFrames);
  printf("  microseconds per frame (frame):  %.1f\n", submitted * 1e6 / kFrames);
  printf("  microseconds per frame (finish): %.1f\n", finished * 1e6 / kFrames);
  printf("  renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  glfwTerminate();
  return 0;
}
