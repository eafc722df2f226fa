#pragma once
// What tests of every area share: scratch folders, whole-file reads and
// writes, and running code or programs in a process of their own.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// A temporary directory of the test's own, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string Path(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Makes `dir` a game folder of the test's own and the working directory:
// its `data` links to the built game's data folder at `data`. What the code
// under test writes there (the saved state, say) never reaches the game
// folder a player starts from.
void EnterGameFolder(const TempDir& dir, const std::string& data);

// Writes the bytes, making the folders on the way.
void WriteFile(const std::string& path, const std::string& bytes);
// The file's bytes; empty when it cannot be read.
std::string ReadFile(const std::string& path);

// glfwInit, with GLFW's complaints printed and a few tries: a display under
// load may refuse a connection now and then.
bool StartGlfw();

struct ProcessResult {
  std::string out;
  std::string err;
  int code;  // the exit code, or minus the signal that ended the process
};

// Runs a program with `input` as its whole standard input and collects what
// it writes on standard output and standard error.
ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& input = "");
// As RunProcess, but the input is made from the first line the program
// writes on standard output, and written once that line has come.
ProcessResult RunProcessAnswering(const std::vector<std::string>& argv,
                                  const std::function<std::string(const std::string& firstLine)>& answer);

// Runs `body` in a forked child; its result is the child's exit code, and
// what it printed on standard output is left in `output`.
int RunInChild(const std::function<int()>& body, std::string* output);

// A failed check inside RunInChild prints itself and makes the exit code.
#define CHILD_CHECK(condition)                  \
  do {                                          \
    if (!(condition)) {                         \
      printf("check failed: %s\n", #condition); \
      return 1;                                 \
    }                                           \
  } while (0)
