// Image files decoded to pixels. A file's declared size and structure are
// checked before decoding, so a few hostile bytes cannot make the decoder
// allocate gigabytes or spin for seconds.
#include <GLFW/glfw3.h>
#include <stb/stb_image.h>

#include <cstring>

#include "host/image_decode.h"
#include "host/glfw_game.h"
#include "runtime/collector.h"

namespace {

// Sides beyond this are refused whatever the driver would take.
const int kLargestSide = 16384;

int LargestSide() {
  int largest = kLargestSide;
  if (glfwGetCurrentContext()) {
    GLint driver = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &driver);
    if (driver > 0 && driver < largest) largest = driver;
  }
  return largest;
}

unsigned BigEndian32(const unsigned char* p) {
  return static_cast<unsigned>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

// A PNG's decoder reserves room for each chunk before it reads it: every
// chunk, with its checksum, must lie inside the file. Other formats pass.
bool ChunksFitTheFile(FILE* file) {
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  unsigned char head[8];
  bool fits = true;
  if (fread(head, 1, 8, file) == 8 && memcmp(head, kSignature, 8) == 0 && fseek(file, 0, SEEK_END) == 0) {
    long end = ftell(file);
    long at = 8;
    for (;;) {
      if (fseek(file, at, SEEK_SET) != 0 || fread(head, 1, 8, file) != 8) {
        fits = false;
        break;
      }
      // Length, type, data, checksum.
      long next = at + 12 + static_cast<long>(BigEndian32(head));
      if (next > end) {
        fits = false;
        break;
      }
      if (memcmp(head + 4, "IEND", 4) == 0) break;
      at = next;
    }
  }
  rewind(file);
  return fits;
}

bool Acceptable(FILE* file) {
  int width = 0, height = 0, depth = 0;
  if (!stbi_info_from_file(file, &width, &height, &depth)) return false;
  int largest = LargestSide();
  if (width <= 0 || height <= 0 || width > largest || height > largest) return false;
  return ChunksFitTheFile(file);
}

}  // namespace

unsigned char* vx_decode_image(FILE* file, int* width, int* height, int* depth) {
  return Acceptable(file) ? stbi_load_from_file(file, width, height, depth, 0) : nullptr;
}

unsigned char* VxGlfwGame::LoadImageData(String path, int* width, int* height, int* depth) {
  FILE* file = OpenFile(path, String("rb"));
  if (!file) return nullptr;
  unsigned char* data = vx_decode_image(file, width, height, depth);
  fclose(file);
  // Decoding leaves garbage worth reclaiming at once.
  gc_force_sweep = true;
  return data;
}
