// SIGTERM and SIGHUP end the game as its window's close button does. The
// handler only notes the request: saving is the game's own code, run from
// the main loop, never from inside a signal. A second signal while the
// first is still unanswered (a game that no longer runs its loop) ends the
// process as the signal would.
#include "host/end_signals.h"

#include <csignal>

namespace {

volatile sig_atomic_t pending;

void OnEndSignal(int number) {
  if (pending) {
    signal(number, SIG_DFL);
    raise(number);
    return;
  }
  pending = 1;
}

}  // namespace

void vx_CatchEndSignals() {
  const int kSignals[] = {SIGTERM, SIGHUP};
  for (int number : kSignals) {
    struct sigaction current;
    if (sigaction(number, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) continue;
    struct sigaction action = {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(number, &action, nullptr);
  }
}

bool vx_TakeEndSignal() {
  if (!pending) return false;
  pending = 0;
  return true;
}
