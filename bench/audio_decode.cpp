// Decoding speed of the sound loaders: WAV and Ogg Vorbis files of ten
// seconds of stereo, decoded whole as the game does at load time. Prints the
// decoded PCM megabytes per second.
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "audio/audio_decoders.h"
#include "host/glfw_game.h"

namespace {

const int kHertz = 44100;
const int kSeconds = 10;

std::string SineWav() {
  int frames = kHertz * kSeconds;
  std::string data;
  for (int i = 0; i < frames; ++i) {
    int value = static_cast<int>(9000 * std::sin(2 * M_PI * 440 * i / kHertz) + 3000 * std::sin(i * 0.37));
    for (int c = 0; c < 2; ++c) {
      data += static_cast<char>(value & 0xFF);
      data += static_cast<char>(value >> 8 & 0xFF);
    }
  }
  auto le = [](unsigned value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
    return out;
  };
  std::string fmt = le(1, 2) + le(2, 2) + le(kHertz, 4) + le(kHertz * 4, 4) + le(4, 2) + le(16, 2);
  std::string body = "WAVEfmt " + le(16, 4) + fmt + "data" + le(data.size(), 4) + data;
  return "RIFF" + le(body.size(), 4) + body;
}

void Measure(const char* label, const std::string& path, int rounds) {
  double bytes = 0;
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) {
    int length = 0, channels = 0, format = 0, hertz = 0;
    unsigned char* data =
        LoadAudioData(String(path.c_str()), &length, &channels, &format, &hertz);
    if (!data) {
      printf("%s: could not decode %s\n", label, path.c_str());
      return;
    }
    bytes += double(length) * channels * format;
    free(data);
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  printf("%-4s %2d x %2d s stereo: %8.1f MB/s of PCM (%.2f ms per file)\n", label, rounds, kSeconds,
         bytes / seconds / 1e6, seconds * 1000 / rounds);
}

}  // namespace

int main() {
  std::string dir = (std::filesystem::temp_directory_path() / "vx-audio-bench-XXXXXX").string();
  if (!mkdtemp(dir.data())) return 1;
  new VxGlfwGame();
  std::string wav = dir + "/tone.wav", ogg = dir + "/tone.ogg";
  std::ofstream(wav, std::ios::binary) << SineWav();
  Measure("WAV", wav, 50);
  std::string encode = "oggenc -Q -o '" + ogg + "' '" + wav + "'";
  if (system(encode.c_str()) == 0) {
    Measure("Ogg", ogg, 5);
  } else {
    printf("Ogg: oggenc failed, not measured\n");
  }
  std::filesystem::remove_all(dir);
  return 0;
}
