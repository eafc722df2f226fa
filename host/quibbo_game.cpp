// Process start-up: the window, the host object, the runtime, the loop.
#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/end_signals.h"
#include "host/game_folder.h"
#include "host/quibbo_game.h"
#include "host/tell_player.h"
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

// What GLFW last said went wrong, for the player.
std::string glfwProblem;

void RememberGlfwError(int, const char* description) { glfwProblem = description ? description : ""; }

// Without a window system there is no game: the player learns which display
// was tried, why it failed and what to do.
[[noreturn]] void NoDisplay() {
  puts("glfwInit failed");
  fflush(stdout);
  const char* display = getenv("DISPLAY");
  std::string text = "Tumblast - Ridazoz needs a graphical desktop to open its window: ";
  if (!display || !*display) {
    text += "no display is set (DISPLAY is not set)";
  } else {
    text += std::string("the display ") + display + " cannot be reached";
  }
  if (!glfwProblem.empty()) text += " (" + glfwProblem + ")";
  text += ". Start it from a desktop session, or set DISPLAY to a running X display.";
  vx_TellPlayer(text.c_str());
  exit(-1);
}
}  // namespace

void VxQuibboGame::Main(int argc, const char** argv) {
  // Before anything else, so that a logout during start-up is not lost.
  vx_CatchEndSignals();
  glfwSetErrorCallback(RememberGlfwError);
  if (!glfwInit()) NoDisplay();
  // Before the window opens: a refused start shows no window at all.
  vx_ClaimGameFolder();
  // A display without a monitor has no desktop mode; the window then stays
  // where the window system puts it.
  GLFWmonitor* monitor = glfwGetPrimaryMonitor();
  const GLFWvidmode* desktop = monitor ? glfwGetVideoMode(monitor) : nullptr;

  VxGlfwGame::ColourOnlyFramebuffer();
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
  // At once, so that a close request during start-up is kept for the game.
  game->InstallCallbacks();
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
