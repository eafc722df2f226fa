// Grabs frames out of a 64x64 image as its argument says, so that the tests
// can watch a grab that does not fit end the real process.
#include <cstdio>
#include <cstring>

#include "tests/graphics/context_test_support.h"

int main(int argc, const char** argv) {
  const char* scenario = argc > 1 ? argv[1] : "";
  WritePng(DataPath("grid.png"), 64, 64, [](int, int) { return 0xFFFFFFFFu; });
  c_Image* image = nullptr;
  if (!strcmp(scenario, "fits")) image = vx_graphics_LoadImage2(String("grid.png"), 32, 32, 4, 0);
  if (!strcmp(scenario, "one-too-many")) image = vx_graphics_LoadImage2(String("grid.png"), 32, 32, 5, 0);
  if (!strcmp(scenario, "too-wide")) image = vx_graphics_LoadImage2(String("grid.png"), 65, 8, 1, 0);
  if (!strcmp(scenario, "too-tall")) image = vx_graphics_LoadImage2(String("grid.png"), 8, 65, 1, 0);
  if (!strcmp(scenario, "left-of-source")) {
    image = vx_graphics_LoadImage(String("grid.png"), 1, 0)->p_GrabImage(-8, 0, 8, 8, 1, 0);
  }
  if (!strcmp(scenario, "negative-width")) {
    image = vx_graphics_LoadImage(String("grid.png"), 1, 0)->p_GrabImage(16, 0, -8, 8, 1, 0);
  }
  if (!image) return 3;
  for (int i = 0; i < image->frames.Length(); ++i) printf("%d,%d ", image->frames[i]->x, image->frames[i]->y);
  printf("\n");
  return 0;
}
