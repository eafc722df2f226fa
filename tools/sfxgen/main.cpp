// Renders every sound effect of the game into OUTDIR/NNN.wav (16-bit mono
// PCM). With --report it also prints each effect's length and levels.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "sounds.h"
#include "synth.h"

namespace {

void PutLe(std::string* out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

std::string WavBytes(const std::vector<int16_t>& samples) {
  const uint32_t data_size = static_cast<uint32_t>(samples.size() * 2);
  std::string out = "RIFF";
  PutLe(&out, 36 + data_size, 4);
  out += "WAVEfmt ";
  PutLe(&out, 16, 4);
  PutLe(&out, 1, 2);  // integer PCM
  PutLe(&out, 1, 2);  // mono
  PutLe(&out, sfx::kRate, 4);
  PutLe(&out, sfx::kRate * 2, 4);
  PutLe(&out, 2, 2);
  PutLe(&out, 16, 2);
  out += "data";
  PutLe(&out, data_size, 4);
  for (int16_t sample : samples) PutLe(&out, static_cast<uint16_t>(sample), 2);
  return out;
}

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
    // Written whole under a temporary name, so that an interrupted build
    // never leaves a truncated file behind under the real one.
    std::string temporary = path + ".part";
    {
      std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
      file << WavBytes(sfx::Quantize(signal));
      if (!file.flush()) {
        fprintf(stderr, "sfxgen: cannot write %s\n", temporary.c_str());
        return 1;
      }
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
      fprintf(stderr, "sfxgen: cannot write %s: %s\n", path.c_str(), error.message().c_str());
      return 1;
    }
    if (report) {
      printf("%s  %-16s %5.0f ms  peak %6.1f dBFS  loudness %6.1f dBFS\n", FileName(effect.id).c_str(), effect.name,
             1000.0 * signal.size() / sfx::kRate, Db(sfx::Peak(signal)), Db(sfx::Loudness(signal)));
    }
  }
  return 0;
}
