// Writes the music player's data into the data folder given on the command
// line: the instrument samples under inst/ and the song sheet.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "instruments.h"
#include "song.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: musicgen DATA_FOLDER\n");
    return 2;
  }
  const std::string out = argv[1];
  std::error_code error;
  std::filesystem::create_directories(out + "/inst", error);
  std::filesystem::create_directories(out + "/music", error);
  try {
    for (const music::Instrument& instrument : music::Instruments()) {
      std::string path = out + "/" + instrument.name;
      if (!sfx::WriteWhole(path, sfx::WavBytes(sfx::Quantize(instrument.signal)))) {
        fprintf(stderr, "musicgen: cannot write %s\n", path.c_str());
        return 1;
      }
    }
    std::string sheet = out + "/music/song.png";
    if (!sfx::WriteWhole(sheet, music::ComposeSong().Png())) {
      fprintf(stderr, "musicgen: cannot write %s\n", sheet.c_str());
      return 1;
    }
  } catch (const std::exception& e) {
    fprintf(stderr, "musicgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
