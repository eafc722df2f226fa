// Starting programs and finding, measuring and closing their windows.
#include "tests/support/x_window.h"

#include <X11/Xatom.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

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
  while (std::chrono::steady_clock::now() < end) {
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) {
      return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  return -1000;
}

namespace {

// Windows of other programs may vanish while we look at them.
int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

long ProcessOf(Display* display, Window window) {
  Atom type;
  int format;
  unsigned long count, left;
  unsigned char* data = nullptr;
  long pid = -1;
  Atom wmPid = XInternAtom(display, "_NET_WM_PID", False);
  if (XGetWindowProperty(display, window, wmPid, 0, 1, False, XA_CARDINAL, &type, &format, &count, &left,
                         &data) == Success &&
      data && count == 1 && format == 32) {
    pid = *reinterpret_cast<long*>(data);
  }
  if (data) XFree(data);
  return pid;
}

Window FindWindowOf(Display* display, Window parent, pid_t process) {
  Window root, up, *children = nullptr;
  unsigned count = 0;
  Window found = 0;
  if (!XQueryTree(display, parent, &root, &up, &children, &count)) return 0;
  for (unsigned i = 0; i < count && !found; ++i) {
    XWindowAttributes attributes;
    if (ProcessOf(display, children[i]) == process && XGetWindowAttributes(display, children[i], &attributes) &&
        attributes.map_state == IsViewable) {
      found = children[i];
    }
    if (!found) found = FindWindowOf(display, children[i], process);
  }
  if (children) XFree(children);
  return found;
}

}  // namespace

Window WaitForWindowOf(Display* display, pid_t process, double seconds) {
  XSetErrorHandler(IgnoreXErrors);
  auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end) {
    if (Window w = FindWindowOf(display, DefaultRootWindow(display), process)) return w;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return 0;
}

Placement PlacementOf(Display* display, Window window) {
  Placement placed = {0, 0, 0, 0};
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return placed;
  Window ignored;
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
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
}
