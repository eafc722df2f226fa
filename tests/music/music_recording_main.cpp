// Records the game's music for a while and prints what a listener would
// check: level, headroom, clicks. Run by hand:
//   music_recording [SECONDS] [FILE.wav to keep the recording]
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "tests/music/music_recording.h"

int main(int argc, char** argv) {
  double seconds = argc > 1 ? atof(argv[1]) : 20;
  Capture capture = RecordMusic(seconds, [](c_KzPlayer*, double) {}, argc > 2 ? argv[2] : "");
  // Closing the device cuts the last sound off: the final 0.1 s is left out.
  MusicFigures f = Measure(capture, 0, capture.Frames() - capture.hertz / 10);
  printf("%.1f s recorded\n", double(capture.Frames()) / (capture.hertz ? capture.hertz : 1));
  printf("level %.0f RMS (%.1f dBFS), quietest second %.0f RMS\n", f.rms, 20 * std::log10(f.rms / 32768 + 1e-12),
         f.quietestSecond);
  printf("peak %d (%.1f dBFS), %d samples at full scale\n", f.peak, 20 * std::log10(f.peak / 32768.0 + 1e-12),
         f.clipped);
  printf("largest isolated jump %.1f times its surroundings; %d over %.0f\n", f.worstStep, f.clicks, kClickRatio);
  return 0;
}
