// Starting programs and finding, measuring and closing their windows.
#include "tests/support/x_window.h"

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "tests/support/test_support.h"

pid_t StartProgram(const std::vector<std::string>& argv, const std::string& folder,
                   const std::vector<std::string>& env) {
  pid_t child = fork();
  if (child == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (chdir(folder.c_str()) != 0) _exit(98);
    for (const std::string& entry : env) putenv(const_cast<char*>(entry.c_str()));
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(99);
  }
  return child;
}

int WaitForExit(pid_t child, double seconds) {
  auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  for (int status = 0; std::chrono::steady_clock::now() < end;) {
    if (waitpid(child, &status, WNOHANG) == child) return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  return -1000;
}

Window WaitForWindowOf(pid_t process, double seconds) {
  ProcessResult found = RunProcess({"/usr/bin/timeout", std::to_string(seconds), "/usr/bin/xdotool", "search",
                                    "--sync", "--onlyvisible", "--pid", std::to_string(process)});
  return found.code == 0 ? std::strtoul(found.out.c_str(), nullptr, 10) : 0;
}

Placement PlacementOf(Display* display, Window window) {
  Placement placed = {0, 0, 0, 0};
  XWindowAttributes attributes;
  Window ignored;
  if (!XGetWindowAttributes(display, window, &attributes)) return placed;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &placed.x, &placed.y, &ignored);
  placed.width = attributes.width;
  placed.height = attributes.height;
  return placed;
}

void RequestClose(Display* display, Window window) {
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
}

pid_t StartGameIn(const TempDir& folder, const std::string& executable) {
  std::filesystem::create_directory_symlink(executable.substr(0, executable.rfind('/')) + "/data",
                                            folder.Path("data"));
  return StartProgram({executable}, folder.path());
}
