// Process start-up: the window, the host object, the runtime, the loop.
#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>

#include "host/quibbo_game.h"
#include "runtime/startup.h"

namespace {
const int kWindowWidth = 640;
const int kWindowHeight = 480;
const char* const kWindowTitle = "Tumblast - Ridazoz";

[[noreturn]] void StartupFailure(const char* message) {
  puts(message);
  fflush(stdout);
  exit(-1);
}
}  // namespace

void VxQuibboGame::Main(int argc, const char** argv) {
  if (!glfwInit()) StartupFailure("glfwInit failed");
  // A display without a monitor has no desktop mode; the window then stays
  // where the window system puts it.
  GLFWmonitor* monitor = glfwGetPrimaryMonitor();
  const GLFWvidmode* desktop = monitor ? glfwGetVideoMode(monitor) : nullptr;

  glfwWindowHint(GLFW_RESIZABLE, GLFW_TRUE);
  // Hidden until centred, so it never shows at the wrong place.
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  GLFWwindow* window = glfwCreateWindow(kWindowWidth, kWindowHeight, kWindowTitle, nullptr, nullptr);
  if (!window) StartupFailure("glfwOpenWindow failed");
  glfwMakeContextCurrent(window);
  if (desktop) glfwSetWindowPos(window, (desktop->width - kWindowWidth) / 2, (desktop->height - kWindowHeight) / 2);
  glfwSetWindowTitle(window, kWindowTitle);
  _window = window;

  VxQuibboGame* game = new VxQuibboGame();
  game->SetWindowIcon();
  glfwShowWindow(window);
  try {
    vx_std_main(argc, argv);
  } catch (ThrowableObject* thrown) {
    game->Die(thrown);
  }
  if (game->Delegate()) game->Run();
  glfwTerminate();
  exit(0);
}
