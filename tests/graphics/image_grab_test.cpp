#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace {

// The probe's standard input is at its end, so that the debugger prompt
// after a fatal error ends the process at once.
ProcessResult RunProbe(const char* scenario) { return RunProcess({GRAB_PROBE, scenario}); }

// The message names the file, so that a player can find the damaged one.
const char* const kMessage = "Quibbo Runtime Error : Image frame outside surface: ./data/grid.png\n\n";

TEST(ImageGrab, TwoByTwoGridFits) {
  ProcessResult o = RunProbe("fits");
  EXPECT_EQ(o.out, "0,0 32,0 0,32 32,32 \n");
  EXPECT_EQ(o.code, 0);
}

TEST(ImageGrab, FramesThatDoNotFitEndTheProgram) {
  for (const char* scenario : {"one-too-many", "too-wide", "too-tall", "left-of-source", "negative-width"}) {
    ProcessResult o = RunProbe(scenario);
    EXPECT_EQ(o.out, kMessage) << scenario;
    EXPECT_EQ(o.code, 255) << scenario;
  }
}

}  // namespace
