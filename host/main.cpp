// The process entry: everything else starts from the host.
#include "host/quibbo_game.h"

int main(int argc, const char** argv) {
  VxQuibboGame::Main(argc, argv);
  return 0;
}
