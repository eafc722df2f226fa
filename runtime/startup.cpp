#include "runtime/startup.h"

#include <csignal>

#include "runtime/collector.h"
#include "runtime/errors.h"

int argc;
const char** argv;

int vx_std_main(int argument_count, const char** arguments) {
  argc = argument_count;
  argv = arguments;
  signal(SIGSEGV, sighandler);
  signal(SIGILL, sighandler);
  signal(SIGFPE, sighandler);
  gc_init1();
  vxInit();
  gc_init2();
  vxMain();
  return 0;
}
