#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "tests/support/test_support.h"

namespace {

using Outcome = ProcessResult;

Outcome RunProbe(const char* scenario, const std::string& stdin_text = "") {
  return RunProcess({FATAL_PROBE, scenario}, stdin_text);
}

const char* const kError = "Quibbo Runtime Error : Image frame outside surface\n\n";
const char* const kPrompt = "{{~~(null)~~}}\n\n";

TEST(FatalError, PrintsMessageAndPromptThenExitsAtEndOfInput) {
  Outcome o = RunProbe("error");
  EXPECT_EQ(o.out, kError);
  EXPECT_EQ(o.err, kPrompt);
  EXPECT_EQ(o.code, 255);
}

TEST(FatalError, EmptyErrorQuitsQuietly) {
  Outcome o = RunProbe("quit");
  EXPECT_EQ(o.out, "");
  EXPECT_EQ(o.err, "");
  EXPECT_EQ(o.code, 0);
}

TEST(FatalError, PrintWritesTheLowByteOfEachUnit) {
  Outcome o = RunProbe("print");
  EXPECT_EQ(o.out, "AB\xFF\nlog\n");
  EXPECT_EQ(o.code, 0);
}

TEST(Debugger, QuitCommandExitsWithZero) {
  Outcome o = RunProbe("error", "q\n");
  EXPECT_EQ(o.out, kError);
  EXPECT_EQ(o.err, kPrompt);
  EXPECT_EQ(o.code, 0);
}

TEST(Debugger, QuestionMarkIsIgnored) {
  Outcome o = RunProbe("error", "?\n?\nq\n");
  EXPECT_EQ(o.err, kPrompt);
  EXPECT_EQ(o.code, 0);
}

TEST(Debugger, ResumeAndStepCommandsReportAgainAndPromptAgain) {
  for (const char* command : {"r\n", "e\n", "s\n", "l\n"}) {
    Outcome o = RunProbe("error", command);
    EXPECT_EQ(o.out, std::string(kError) + kError) << command;
    EXPECT_EQ(o.err, std::string(kPrompt) + kPrompt) << command;
    EXPECT_EQ(o.code, 255) << command;
  }
}

TEST(Debugger, UnknownCommandIsEchoedAndFatal) {
  Outcome o = RunProbe("error", "xyz\nq\n");
  EXPECT_EQ(o.out, std::string(kError) + "????? xyz ?????");
  EXPECT_EQ(o.code, 255);
}

TEST(Debugger, LineWithoutNewlineEndsTheProcess) {
  Outcome o = RunProbe("error", "q");
  EXPECT_EQ(o.code, 255);
}

TEST(Debugger, AtSignShowsAnObjectOrAnEmptyLine) {
  Outcome o = RunProcessAnswering({FATAL_PROBE, "object"}, [](const std::string& pointer) {
    // A live object, null, and an address that is no object at all.
    return "@" + pointer + "\n@0\n@0x1234\nq\n";
  });
  EXPECT_NE(o.out.find("Quibbo Runtime Error : inspect\n\n"), std::string::npos);
  EXPECT_EQ(o.err, std::string(kPrompt) + "+Probe\n\n\n");
  EXPECT_EQ(o.code, 0);
}

TEST(Signals, EachSignalHasItsMessage) {
  const char* cases[][2] = {{"segv", "Memory access violation"},
                            {"fpe", "Floating point exception"},
                            {"ill", "Illegal instruction"},
                            {"stack", "Memory access violation"}};
  for (const auto& c : cases) {
    Outcome o = RunProbe(c[0]);
    EXPECT_EQ(o.out, std::string("Quibbo Runtime Error : ") + c[1] + "\n\n") << c[0];
    EXPECT_EQ(o.err, kPrompt);
    EXPECT_EQ(o.code, 255);
  }
}

TEST(Signals, ACrashInsideTheAllocatorStillReportsAndReachesThePrompt) {
#ifdef VX_SANITIZE
  // Tried with the sanitizer's allocation hooks: its own runtime allocates
  // on the way into the handler (it reads the stack's bounds through fopen
  // before any call that does not return), so the case would only show that.
  GTEST_SKIP() << "the sanitizer's runtime itself allocates on entering a fatal path";
#endif
  Outcome o = RunProbe("segv-in-malloc");
  EXPECT_EQ(o.out, "Quibbo Runtime Error : Memory access violation\n\n");
  EXPECT_EQ(o.err, kPrompt);
  EXPECT_EQ(o.code, 255);
  // The same, answering the prompt.
  o = RunProbe("segv-in-malloc", "?\nq\n");
  EXPECT_EQ(o.err, kPrompt);
  EXPECT_EQ(o.code, 0);
}

TEST(HostDeath, UncaughtExceptionsEndTheProcess) {
  for (const char* scenario : {"die", "throw"}) {
    Outcome o = RunProbe(scenario);
    EXPECT_EQ(o.out, "Quibbo Runtime Error : Uncaught Quibbo Exception\n") << scenario;
    EXPECT_EQ(o.code, 255) << scenario;
  }
}

TEST(OutOfMemory, CollectorAndStringsStopInAnOrderlyWay) {
  for (const char* scenario : {"oom-array", "oom-array-size", "oom-string", "oom-string-replace"}) {
    Outcome o = RunProbe(scenario);
    EXPECT_EQ(o.out, "Quibbo Runtime Error : Out of memory\n") << scenario;
    EXPECT_EQ(o.code, 255) << scenario;
  }
}

TEST(OutOfMemory, SizesThatWouldWrapAnIntStopInAnOrderlyWay) {
  // Three bytes a unit for 1.43 G units: the text as UTF-8.
  Outcome o = RunProbe("oom-utf8");
  EXPECT_EQ(o.out, "Quibbo Runtime Error : Out of memory\n");
  EXPECT_EQ(o.code, 255);

  // A file of 2 GiB, no disk space used: the whole-file reader.
  char path[] = "/tmp/tumblast-huge-XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(ftruncate(fd, 2147483648LL), 0);
  close(fd);
  o = RunProcess({FATAL_PROBE, "oom-load", path});
  unlink(path);
  EXPECT_EQ(o.out, "Quibbo Runtime Error : Out of memory\n");
  EXPECT_EQ(o.code, 255);
}

}  // namespace
