#pragma once
// The song sheet: 64 patterns of five voices, each voice a strip of eight
// values per row, as the music player decodes it from a 512 x 512 image of
// 64 x 64 frames (blue holds a value times 8).
#include <cstdint>
#include <string>
#include <vector>

namespace music {

const int kPatterns = 64;
const int kRows = 64;

class SongSheet {
 public:
  SongSheet() : values_(kPatterns * 4096) {}
  int Get(int pattern, int voice, int row, int column) const { return values_[Index(pattern, voice, row, column)]; }
  void Set(int pattern, int voice, int row, int column, int value);
  // The image as PNG bytes.
  std::string Png() const;

 private:
  static int Index(int pattern, int voice, int row, int column) {
    return pattern * 4096 + voice * 512 + row * 8 + column;
  }
  std::vector<uint8_t> values_;
};

// Drums, bass, chords and a lead over one progression (Am F C G, one bar of
// 16 rows each), so that any pattern of one voice fits any of another.
SongSheet ComposeSong();

}  // namespace music
