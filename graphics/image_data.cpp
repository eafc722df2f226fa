#include "host/glfw_game.h"

unsigned char* VxGlfwGame::LoadImageData(String, int*, int*, int*) { return nullptr; }
