#pragma once
// The music player's instrument samples: two drum kits of eight one-shot
// hits and three looping tonal instruments, all tuned so that the player's
// pitch ratio 1.0 is the note A.
#include <string>
#include <vector>

#include "synth.h"

namespace music {

struct Instrument {
  std::string name;  // file name below the data folder
  sfx::Signal signal;
};

std::vector<Instrument> Instruments();

}  // namespace music
