#include <stb/stb_image.h>

#include "host/glfw_game.h"
#include "runtime/collector.h"

unsigned char* VxGlfwGame::LoadImageData(String path, int* width, int* height, int* depth) {
  FILE* file = OpenFile(path, String("rb"));
  if (!file) return nullptr;
  // The file's own channel count: 1 grey, 2 grey and alpha, 3 RGB, 4 RGBA.
  unsigned char* data = stbi_load_from_file(file, width, height, depth, 0);
  fclose(file);
  // Decoding leaves garbage worth reclaiming at once.
  gc_force_sweep = true;
  return data;
}
