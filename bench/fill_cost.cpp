// What one layer over the whole window costs the renderer, in CPU time of
// every thread, drawn the ways the game's turning background could be
// drawn, once on the colour-only framebuffer the game asks for and once with
// a depth and stencil buffer. On a software renderer this is where a frame's
// time goes. Needs a display (run it under xvfb-run).
//   fill_cost [width height]
#include <GL/gl.h>
#include <GLFW/glfw3.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "host/glfw_game.h"

namespace {

const int kWarmUpFrames = 20;
const int kFrames = 120;
const int kTextureSide = 512;

enum Layer { kClearOnly, kFlatBlended, kTurnedLinear, kTurnedNearest, kKeptCopy, kLayers };
const char* const kLayerNames[kLayers] = {
    "clear only", "flat colour, blended", "turned texture, linear, 20 % alpha",
    "turned texture, nearest, 20 % alpha", "window-sized texture, unturned, unblended"};

double CpuSeconds() {
  rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// Grey rhombi with sharp edges inside an opaque disc, premultiplied, as the
// game's pattern is.
GLuint MakeTexture() {
  std::vector<unsigned char> pixels(kTextureSide * kTextureSide * 4);
  float half = kTextureSide * 0.5f;
  for (int y = 0; y < kTextureSide; ++y) {
    for (int x = 0; x < kTextureSide; ++x) {
      unsigned char* p = &pixels[(y * kTextureSide + x) * 4];
      float dx = x - half, dy = y - half;
      bool inside = dx * dx + dy * dy < half * half;
      unsigned char grey = static_cast<unsigned char>(((x / 37 + y / 23) % 3) * 60 + 60);
      p[0] = p[1] = p[2] = inside ? grey : 0;
      p[3] = inside ? 255 : 0;
    }
  }
  GLuint texture;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kTextureSide, kTextureSide, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               pixels.data());
  return texture;
}

void Quad(float half, float u) {
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(-half, -half);
  glTexCoord2f(u, 0);
  glVertex2f(half, -half);
  glTexCoord2f(u, u);
  glVertex2f(half, half);
  glTexCoord2f(0, u);
  glVertex2f(-half, half);
  glEnd();
}

void DrawLayer(Layer layer, int width, int height, int frame) {
  glClearColor(0.24f, 0.24f, 0.24f, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  if (layer == kClearOnly) return;
  // The game's pattern: 768 units wide on a 640-unit-wide screen.
  float half = 384.0f * static_cast<float>(width) / 640.0f;
  glPushMatrix();
  glTranslatef(static_cast<float>(width) * 0.5f, static_cast<float>(height) * 0.5f, 0);
  if (layer == kFlatBlended) {
    glColor4f(0.2f, 0.2f, 0.2f, 0.2f);
    glRotatef(10 + 0.01f * static_cast<float>(frame), 0, 0, 1);
    Quad(half, 1);
  } else {
    GLint filter = layer == kTurnedNearest ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glEnable(GL_TEXTURE_2D);
    if (layer == kKeptCopy) {
      glDisable(GL_BLEND);
      glColor4f(1, 1, 1, 1);
      glScalef(static_cast<float>(width) / static_cast<float>(height), 1, 1);
      Quad(static_cast<float>(height) * 0.5f, 1);
      glEnable(GL_BLEND);
    } else {
      glColor4f(0.2f, 0.2f, 0.2f, 0.2f);
      glRotatef(10 + 0.01f * static_cast<float>(frame), 0, 0, 1);
      Quad(half, 1);
    }
    glDisable(GL_TEXTURE_2D);
  }
  glPopMatrix();
}

// Milliseconds of CPU a frame for each layer, in a window with or without
// a depth and stencil buffer.
void Measure(int width, int height, bool depthAndStencil) {
  glfwDefaultWindowHints();
  VxGlfwGame::ColourOnlyFramebuffer();
  if (depthAndStencil) {
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    glfwWindowHint(GLFW_STENCIL_BITS, 8);
  }
  GLFWwindow* window = glfwCreateWindow(width, height, "fill cost", nullptr, nullptr);
  if (!window) {
    puts("no window");
    exit(1);
  }
  glfwMakeContextCurrent(window);
  glfwSwapInterval(0);
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, height, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  GLuint texture = MakeTexture();

  if (!depthAndStencil) printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  printf("%s:\n", depthAndStencil ? "with a depth and stencil buffer" : "colour only (the game's)");
  for (int layer = 0; layer < kLayers; ++layer) {
    double start = 0;
    for (int f = 0; f < kWarmUpFrames + kFrames; ++f) {
      if (f == kWarmUpFrames) {
        glFinish();
        start = CpuSeconds();
      }
      DrawLayer(static_cast<Layer>(layer), width, height, f);
      glfwSwapBuffers(window);
    }
    glFinish();
    printf("  %-44s %6.2f ms\n", kLayerNames[layer], (CpuSeconds() - start) * 1e3 / kFrames);
  }
  glDeleteTextures(1, &texture);
  glfwDestroyWindow(window);
}

}  // namespace

int main(int argc, char** argv) {
  int width = argc > 2 ? atoi(argv[1]) : 640;
  int height = argc > 2 ? atoi(argv[2]) : 480;
  if (width <= 0 || height <= 0 || !glfwInit()) {
    puts("usage: fill_cost [width height], on a display");
    return 1;
  }
  printf("CPU time a frame (clear, one layer over the window, swap), %dx%d, mean of %d frames:\n",
         width, height, kFrames);
  Measure(width, height, false);
  Measure(width, height, true);
  glfwTerminate();
  return 0;
}
