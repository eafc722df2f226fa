#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace {

struct Outcome {
  std::string out;
  std::string err;
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

// Starts the probe with a scenario; `before` is read from its stdout up to the
// first newline and handed to `input`, whose result is written to its stdin,
// which is then closed.
template <class Input>
Outcome RunProbeWith(const char* scenario, Input input, const char* argument = nullptr) {
  int in[2], out[2], err[2];
  EXPECT_EQ(pipe(in), 0);
  EXPECT_EQ(pipe(out), 0);
  EXPECT_EQ(pipe(err), 0);
  pid_t child = fork();
  if (child == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    dup2(err[1], 2);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
    execl(FATAL_PROBE, FATAL_PROBE, scenario, argument, static_cast<char*>(nullptr));
    _exit(99);
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);
  std::string first;
  std::string script = input(out[0], &first);
  if (!script.empty()) {
    EXPECT_EQ(write(in[1], script.data(), script.size()), static_cast<ssize_t>(script.size()));
  }
  close(in[1]);
  Outcome outcome;
  outcome.out = first + ReadAll(out[0]);
  outcome.err = ReadAll(err[0]);
  int status = 0;
  waitpid(child, &status, 0);
  outcome.code = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
  return outcome;
}

Outcome RunProbe(const char* scenario, const std::string& stdin_text = "") {
  return RunProbeWith(scenario, [&](int, std::string*) { return stdin_text; });
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
  Outcome o = RunProbeWith("object", [](int fd, std::string* first) {
    char c;
    while (read(fd, &c, 1) == 1 && c != '\n') *first += c;
    std::string pointer = *first;
    *first += '\n';
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
  o = RunProbeWith("oom-load", [](int, std::string*) { return std::string(); }, path);
  unlink(path);
  EXPECT_EQ(o.out, "Quibbo Runtime Error : Out of memory\n");
  EXPECT_EQ(o.code, 255);
}

}  // namespace
