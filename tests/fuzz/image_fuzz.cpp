// Any bytes read as an image file: pixels come back only for a size no
// texture side exceeds, every one of them readable.
#include "graphics/image_decode.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
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
