#include "tests/support/test_support.h"

#include <GLFW/glfw3.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vx-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void EnterGameFolder(const TempDir& dir, const std::string& data) {
  std::filesystem::create_directory_symlink(data, dir.Path("data"));
  std::filesystem::current_path(dir.path());
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent);
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ostringstream out;
  out << std::ifstream(path, std::ios::binary).rdbuf();
  return out.str();
}

bool StartGlfw() {
  glfwSetErrorCallback([](int code, const char* text) { fprintf(stderr, "GLFW error %d: %s\n", code, text); });
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (glfwInit()) return true;
    usleep(300 * 1000);
  }
  return false;
}

namespace {

int ExitCode(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status); }

// Runs the program, feeding `input`; with `answer`, the input is made from
// the first line of standard output once it has come.
ProcessResult Run(const std::vector<std::string>& argv, std::string input,
                  const std::function<std::string(const std::string&)>& answer) {
  int in[2], out[2], err[2];
  if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) throw std::runtime_error("pipe failed");
  pid_t child = fork();
  if (child == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    dup2(err[1], 2);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(99);
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);
  fcntl(in[1], F_SETFL, O_NONBLOCK);
  // Feed and drain at once, so that neither side can block the other.
  ProcessResult result;
  size_t written = 0;
  int feed = in[1];
  bool waiting = static_cast<bool>(answer);
  if (!waiting && input.empty()) close(feed), feed = -1;
  int open_outputs = 2;
  while (open_outputs > 0 || feed >= 0) {
    if (waiting && (result.out.find('\n') != std::string::npos || out[0] < 0)) {
      waiting = false;
      input = answer(result.out.substr(0, result.out.find('\n')));
      if (input.empty()) close(feed), feed = -1;
      continue;
    }
    pollfd fds[3] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {waiting ? -1 : feed, POLLOUT, 0}};
    if (poll(fds, 3, -1) < 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      char buffer[4096];
      ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        (i == 0 ? result.out : result.err).append(buffer, n);
      } else {
        close(fds[i].fd);
        (i == 0 ? out[0] : err[0]) = -1;
        open_outputs -= 1;
      }
    }
    if (feed >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
      ssize_t n = write(feed, input.data() + written, input.size() - written);
      if (n > 0) written += n;
      if (n < 0 || written == input.size()) close(feed), feed = -1;
    }
  }
  int status = 0;
  waitpid(child, &status, 0);
  result.code = ExitCode(status);
  return result;
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& input) {
  return Run(argv, input, nullptr);
}

ProcessResult RunProcessAnswering(const std::vector<std::string>& argv,
                                  const std::function<std::string(const std::string&)>& answer) {
  return Run(argv, "", answer);
}

int RunInChild(const std::function<int()>& body, std::string* output) {
  TempDir dir;
  std::string log = dir.Path("stdout.txt");
  fflush(stdout);
  pid_t child = fork();
  if (child == 0) {
    if (!freopen(log.c_str(), "w", stdout)) _exit(100);
    // The child has none of the parent's driver threads, and the teardown
    // that exit() runs could wait on them forever or crash: a body that
    // exits ends the child at once, keeping its code and its output.
    on_exit([](int code, void*) { fflush(nullptr); _exit(code); }, nullptr);
    int code = body();
    fflush(stdout);
    _exit(code);
  }
  int status = 0;
  waitpid(child, &status, 0);
  *output = ReadFile(log);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 200 + WTERMSIG(status);
}
