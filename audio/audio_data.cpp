#include "audio/audio_decoders.h"
#include "host/glfw_game.h"
#include "runtime/collector.h"

unsigned char* VxGlfwGame::LoadAudioData(String path, int* length, int* channels, int* format, int* hertz) {
  FILE* file = OpenFile(path, String("rb"));
  if (!file) return nullptr;
  String name = path.ToLower();
  unsigned char* data = nullptr;
  if (name.EndsWith(String(".wav"))) {
    data = LoadWAV(file, length, channels, format, hertz);
  } else if (name.EndsWith(String(".ogg"))) {
    data = LoadOGG(file, length, channels, format, hertz);
  }
  fclose(file);
  // Decoding leaves garbage worth reclaiming at once.
  gc_force_sweep = true;
  return data;
}
