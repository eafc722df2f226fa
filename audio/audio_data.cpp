#include "host/glfw_game.h"

unsigned char* VxGlfwGame::LoadAudioData(String, int*, int*, int*, int*) { return nullptr; }
