#include "tests/framework/framework_test_support.h"

#include "framework/app.h"
#include "runtime/collector.h"
#include "runtime/startup.h"

bool JoystickHost::PollJoystick(int port, Array<float> joyx, Array<float>, Array<float>, Array<bool> buttons) {
  polled.push_back(port);
  if (!present[port]) return false;
  joyx[0] = stickX[port];
  for (int b = 0; b < 32; ++b) buttons[b] = held[port][b];
  return true;
}

void StartFramework(VxGame* host) {
  VxGame::_game = host;
  // The collector's lists are emptied once per process, as at start-up:
  // emptying them again would leave its byte counts behind.
  static bool collectorStarted = false;
  if (!collectorStarted) gc_init1();
  collectorStarted = true;
  vxInit();
  gc_init2();
}
