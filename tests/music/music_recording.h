#pragma once
// The music player with the generated song and instruments, run in a child
// process on OpenAL's wave-file output, and figures a listener would check.
#include <functional>
#include <string>

#include "music/kz_player.h"
#include "tests/audio/audio_test_support.h"

// Loads the game folder's music through a real window's device, starts the
// player and drives it at 60 updates a second for `seconds`; `at` is called
// before every update with the seconds since playing began. The WAV file is
// copied to `keep` when one is named.
Capture RecordMusic(double seconds, const std::function<void(c_KzPlayer*, double)>& at,
                    const std::string& keep = std::string());

struct MusicFigures {
  double rms = 0;          // whole recording, both sides
  double quietestSecond = 0;  // RMS of the quietest whole second
  int peak = 0;            // largest absolute sample
  int clipped = 0;         // samples at full scale
  double brightness = 0;   // RMS of the sample-to-sample change over RMS
  double worstStep = 0;    // largest isolated jump over its surroundings
  int clicks = 0;          // jumps standing out more than kClickRatio
};

// Drum attacks reach about 5; a sound cut off at full level 8 to 19.
const double kClickRatio = 7;

// Figures over frames [from, to) of the capture.
MusicFigures Measure(const Capture& capture, int from, int to);
