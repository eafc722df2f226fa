#include "host/glfw_game.h"

int main(int argc, const char** argv) {
  VxQuibboGame::Main(argc, argv);
  return 0;
}
