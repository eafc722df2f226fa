// Starting the runtime: signal handlers, the collector's lists, the
// program's globals and roots, then the program's main.
#include "runtime/startup.h"

#include <csignal>
#include <initializer_list>

#include "runtime/collector.h"
#include "runtime/errors.h"

int argc;
const char** argv;

namespace {

// The handlers run on a stack of their own, so that running out of stack
// still ends with its message instead of a silent crash.
void InstallSignalHandlers() {
  static char handler_stack[256 * 1024];
  stack_t stack = {};
  stack.ss_sp = handler_stack;
  stack.ss_size = sizeof handler_stack;
  sigaltstack(&stack, nullptr);
  struct sigaction action = {};
  action.sa_handler = sighandler;
  action.sa_flags = SA_ONSTACK | SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (int signal_number : {SIGSEGV, SIGILL, SIGFPE}) sigaction(signal_number, &action, nullptr);
}

}  // namespace

int vx_std_main(int argument_count, const char** arguments) {
  argc = argument_count;
  argv = arguments;
  InstallSignalHandlers();
  gc_init1();
  vxInit();
  gc_init2();
  vxMain();
  return 0;
}
