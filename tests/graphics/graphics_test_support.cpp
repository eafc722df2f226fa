#include "tests/graphics/graphics_test_support.h"

#include <GLFW/glfw3.h>
#include <stb/stb_image_write.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "graphics/graphics.h"
#include "host/glfw_game.h"
#include "runtime/collector.h"

void WritePng(const std::string& path, int width, int height, int channels,
              const std::vector<uint8_t>& pixels) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  if (!stbi_write_png(path.c_str(), width, height, channels, pixels.data(), width * channels)) {
    throw std::runtime_error("cannot write " + path);
  }
}

void OpenTestWindow() {
  if (VxGlfwGame::_window) return;
  if (!StartGlfw()) throw std::runtime_error("glfwInit failed (no display?)");
  glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
  GLFWwindow* window = glfwCreateWindow(640, 480, "graphics test", nullptr, nullptr);
  if (!window) throw std::runtime_error("no window");
  glfwMakeContextCurrent(window);
  glfwSwapInterval(0);
  VxGlfwGame::_window = window;
}

void StartGraphicsRuntime() {
  OpenTestWindow();
  gc_init1();
  gc_mark();
  if (!VxGlfwGame::_glfwGame) new VxGlfwGame();
  if (!vx_graphics_context) gc_assign(vx_graphics_context, (new c_GraphicsContext())->m_new());
}

void GraphicsTest::SetUp() {
  StartGraphicsRuntime();
  device = new gxtkGraphics();
  vx_graphics_SetGraphicsDevice(device);
  ASSERT_EQ(device->Width(), 640);
  ASSERT_EQ(device->Height(), 480);
  ASSERT_EQ(device->BeginRender(), 1);
  vx_graphics_BeginRender();
  device->Cls(0, 0, 0);
}

void GraphicsTest::TearDown() {
  if (!device) return;  // set-up failed; it has said why
  vx_graphics_EndRender();
  device->Flush();
}

uint32_t GraphicsTest::Pixel(int x, int y) {
  Array<int> pixel(1);
  device->ReadPixels(pixel, x, y, 1, 1, 0, 1);
  return static_cast<uint32_t>(pixel[0]);
}

::testing::AssertionResult RgbNear(uint32_t pixel, int r, int g, int b, int tolerance) {
  if (std::abs(Red(pixel) - r) <= tolerance && std::abs(Green(pixel) - g) <= tolerance &&
      std::abs(Blue(pixel) - b) <= tolerance) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "pixel (" << Red(pixel) << ", " << Green(pixel) << ", "
                                       << Blue(pixel) << ") expected (" << r << ", " << g << ", " << b
                                       << ")";
}
