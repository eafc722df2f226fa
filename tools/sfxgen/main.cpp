// Renders every sound effect of the game into OUTDIR/NNN.wav (16-bit mono
// PCM). With --report it also prints each effect's length and levels.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "sounds.h"
#include "synth.h"

namespace {

std::string FileName(int id) {
  char name[16];
  snprintf(name, sizeof name, "%03d.wav", id);
  return name;
}

double Db(double level) { return level > 0 ? 20 * std::log10(level) : -999; }

}  // namespace

int main(int argc, char** argv) {
  bool report = false;
  const char* out_dir = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--report") == 0) {
      report = true;
    } else {
      out_dir = argv[i];
    }
  }
  if (!out_dir) {
    fprintf(stderr, "usage: sfxgen [--report] OUTDIR\n");
    return 2;
  }
  std::error_code error;
  std::filesystem::create_directories(out_dir, error);
  if (error) {
    fprintf(stderr, "sfxgen: cannot create %s: %s\n", out_dir, error.message().c_str());
    return 1;
  }
  for (const sfx::Effect& effect : sfx::Effects()) {
    sfx::Signal signal = effect.render();
    std::string path = std::string(out_dir) + "/" + FileName(effect.id);
    if (!sfx::WriteWhole(path, sfx::WavBytes(sfx::Quantize(signal)))) {
      fprintf(stderr, "sfxgen: cannot write %s\n", path.c_str());
      return 1;
    }
    if (report) {
      printf("%s  %-16s %5.0f ms  peak %6.1f dBFS  loudness %6.1f dBFS\n", FileName(effect.id).c_str(), effect.name,
             1000.0 * signal.size() / sfx::kRate, Db(sfx::Peak(signal)), Db(sfx::Loudness(signal)));
    }
  }
  return 0;
}
