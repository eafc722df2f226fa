#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace {

struct Outcome {
  std::string out;
  int code;
};

std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, n);
  close(fd);
  return text;
}

// Runs the probe with its standard input at its end, so that the debugger
// prompt after a fatal error ends the process at once.
Outcome RunProbe(const char* scenario) {
  int out[2];
  EXPECT_EQ(pipe(out), 0);
  pid_t child = fork();
  if (child == 0) {
    dup2(out[1], 1);
    close(out[0]);
    close(out[1]);
    freopen("/dev/null", "r", stdin);
    freopen("/dev/null", "w", stderr);
    execl(GRAB_PROBE, GRAB_PROBE, scenario, static_cast<char*>(nullptr));
    _exit(99);
  }
  close(out[1]);
  Outcome outcome;
  outcome.out = ReadAll(out[0]);
  int status = 0;
  waitpid(child, &status, 0);
  outcome.code = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
  return outcome;
}

const char* const kMessage = "Quibbo Runtime Error : Image frame outside surface\n\n";

TEST(ImageGrab, TwoByTwoGridFits) {
  Outcome o = RunProbe("fits");
  EXPECT_EQ(o.out, "0,0 32,0 0,32 32,32 \n");
  EXPECT_EQ(o.code, 0);
}

TEST(ImageGrab, FramesThatDoNotFitEndTheProgram) {
  for (const char* scenario : {"one-too-many", "too-wide", "too-tall", "left-of-source", "negative-width"}) {
    Outcome o = RunProbe(scenario);
    EXPECT_EQ(o.out, kMessage) << scenario;
    EXPECT_EQ(o.code, 255) << scenario;
  }
}

}  // namespace
