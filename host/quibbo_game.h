#pragma once
// The concrete host the process creates: it opens the window, starts the
// runtime and the program, and runs the main loop until the window closes.
#include "host/glfw_game.h"

class VxQuibboGame : public VxGlfwGame {
 public:
  static void Main(int argc, const char** argv);
};
