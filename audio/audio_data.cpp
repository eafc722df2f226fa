// A sound file's samples, decoded by the decoder its extension names. Files
// are opened through the host, so data paths map as for every other file.
#include "audio/audio_decoders.h"
#include "host/glfw_game.h"
#include "runtime/collector.h"

unsigned char* LoadAudioData(String path, int* length, int* channels, int* format, int* hertz) {
  VxGlfwGame* host = VxGlfwGame::_glfwGame;
  FILE* file = host ? host->OpenFile(path, String("rb")) : nullptr;
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
