#pragma once
#include <vector>

#include "synth.h"

namespace sfx {

// One effect of the game's sound table: its id (the file is "NNN.wav") and
// how it is rendered.
struct Effect {
  int id;
  const char* name;
  Signal (*render)();
};

const std::vector<Effect>& Effects();

}  // namespace sfx
