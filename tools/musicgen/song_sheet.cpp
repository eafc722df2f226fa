// The song sheet's storage and its image.
#include <stb/stb_image_write.h>

#include <stdexcept>

#include "song.h"

namespace music {

void SongSheet::Set(int pattern, int voice, int row, int column, int value) {
  if (pattern < 0 || pattern >= kPatterns || voice < 0 || voice >= 8 || row < 0 || row >= kRows || column < 0 ||
      column >= 8 || value < 0 || value > 31) {
    throw std::out_of_range("song sheet value out of range");
  }
  values_[Index(pattern, voice, row, column)] = static_cast<uint8_t>(value);
}

namespace {

void Append(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), size);
}

}  // namespace

std::string SongSheet::Png() const {
  const int side = 512;
  std::vector<uint8_t> rgba(side * side * 4);
  for (int pattern = 0; pattern < kPatterns; ++pattern) {
    int left = pattern % 8 * 64, top = pattern / 8 * 64;
    for (int row = 0; row < kRows; ++row) {
      for (int strip = 0; strip < 8; ++strip) {
        for (int column = 0; column < 8; ++column) {
          uint8_t* pixel = &rgba[((top + row) * side + left + strip * 8 + column) * 4];
          int value = Get(pattern, strip, row, column);
          // The middle of the value's band of blue, so that a rounding step
          // in the reader cannot change it; the notes show up red.
          pixel[0] = column == 0 && value ? 200 : 0;
          pixel[1] = 0;
          pixel[2] = static_cast<uint8_t>(value * 8 + 4);
          pixel[3] = 255;
        }
      }
    }
  }
  std::string png;
  stbi_write_png_to_func(Append, &png, side, side, 4, rgba.data(), side * 4);
  return png;
}

}  // namespace music
