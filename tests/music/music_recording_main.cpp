// Records the game's music for a while and prints what a listener would
// check: level, headroom, clicks. Run by hand:
//   music_recording [SECONDS] [--keep FILE.wav] [--undamped]
// --undamped drops the song's silencing rows, to see what the click measure
// reports when notes cut each other off.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/music/music_recording.h"

int main(int argc, char** argv) {
  double seconds = 20;
  std::string keep;
  bool undamped = false;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--keep") == 0 && i + 1 < argc) {
      keep = argv[++i];
    } else if (strcmp(argv[i], "--undamped") == 0) {
      undamped = true;
    } else {
      seconds = atof(argv[i]);
    }
  }
  Capture capture = RecordMusic(
      seconds,
      [undamped](c_KzPlayer* player, double) {
        if (!undamped) return;
        for (int i = 1; i < player->patternData.Length(); i += 8) {
          if (player->patternData[i] == 31) player->patternData[i] = 0;
        }
      },
      keep);
  MusicFigures f = Measure(capture, 0, capture.Frames());
  printf("%.1f s recorded\n", double(capture.Frames()) / (capture.hertz ? capture.hertz : 1));
  printf("level %.0f RMS (%.1f dBFS), quietest second %.0f RMS\n", f.rms, 20 * std::log10(f.rms / 32768 + 1e-12),
         f.quietestSecond);
  printf("peak %d (%.1f dBFS), %d samples at full scale\n", f.peak, 20 * std::log10(f.peak / 32768.0 + 1e-12),
         f.clipped);
  printf("brightness %.3f\n", f.brightness);
  printf("largest isolated jump %.1f times its surroundings; %d over %.0f\n", f.worstStep, f.clicks, kClickRatio);
  return 0;
}
