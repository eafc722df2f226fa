// Any bytes read as an image file: pixels come back only for a size no
// texture side exceeds, every one of them readable.
#include <stb/stb_image.h>

#include "host/image_decode.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Sizes within the limit but of many millions of pixels only cost time:
  // a few bytes declaring them take a gigabyte and a second to fill, and the
  // fuzzer would spend its run there. Larger sizes are still refused by the
  // loader, which their own tests show.
  int declared_width = 0, declared_height = 0, declared_depth = 0;
  if (stbi_info_from_memory(data, static_cast<int>(size), &declared_width, &declared_height, &declared_depth) &&
      declared_width <= 16384 && declared_height <= 16384 &&
      static_cast<long long>(declared_width) * declared_height > (4 << 20)) {
    return 0;
  }
  FILE* file = OpenInput(data, size);
  int width = -1, height = -1, depth = -1;
  unsigned char* pixels = vx_decode_image(file, &width, &height, &depth);
  fclose(file);
  if (!pixels) return 0;
  FUZZ_CHECK(width > 0 && width <= 16384);
  FUZZ_CHECK(height > 0 && height <= 16384);
  FUZZ_CHECK(depth >= 1 && depth <= 4);
  // Sparsely: a block can be a gigabyte.
  ReadBlock(pixels, static_cast<size_t>(width) * height * depth, 4093);
  free(pixels);
  return 0;
}
