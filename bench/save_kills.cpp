// Kills during saves: a child process saves two different states in turn
// through the host, as fast as it can, and is killed at a random moment; the
// state file must then be one of the two, whole, with valid sums. The next
// start (the start-up's claim of the folder) must leave no save's own file
// behind. Prints the counts.
//
// Usage: save_kills [KILLS_DURING_SAVES=50]
#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "host/game_folder.h"
#include "host/glfw_game.h"
#include "runtime/startup.h"

namespace {

// A state in the saved layout: settings, badge words and three score tables,
// each group followed by its sum.
std::string StateText(int seed) {
  std::vector<int> v(25, 0);
  v[5] = 1 + seed % 2;
  v[10] = v[11] = 64;
  v[12] = 10;
  int sum = 0;
  for (int i = 0; i < 25; ++i) sum += i * v[i];
  v.push_back(sum);
  int badges = 0;
  for (int w = 0; w < 8; ++w) {
    v.push_back(w == 0 ? seed : 0);
    badges += v.back();
  }
  v.push_back(badges);
  for (int t = 0; t < 3; ++t) {
    int check = 0;
    for (int j = 0; j < 10; ++j) {
      int a = seed * 100 + 10 * t + j, b = seed + j;
      v.push_back(a);
      v.push_back(b);
      check += (j + 4) * a + (t + j + 3) * b;
    }
    v.push_back(check);
  }
  std::string text;
  for (int x : v) text += std::to_string(x) + "|";
  return text;
}

// Whether the text splits into 98 numbers whose group sums hold.
bool SumsHold(const std::string& text) {
  std::vector<int> v;
  size_t at = 0;
  for (size_t bar; (bar = text.find('|', at)) != std::string::npos; at = bar + 1) {
    v.push_back(atoi(text.substr(at, bar - at).c_str()));
  }
  if (v.size() != 98 || at != text.size()) return false;
  int sum = 0;
  for (int i = 0; i < 25; ++i) sum += i * v[i];
  if (sum != v[25]) return false;
  sum = 0;
  for (int w = 0; w < 8; ++w) sum += v[26 + w];
  if (sum != v[34]) return false;
  for (int t = 0; t < 3; ++t) {
    const int* g = &v[35 + 21 * t];
    sum = 0;
    for (int j = 0; j < 10; ++j) sum += (j + 4) * g[2 * j] + (t + j + 3) * g[2 * j + 1];
    if (sum != g[20]) return false;
  }
  return true;
}

std::string ReadAll(const char* path) {
  std::string text;
  if (FILE* f = fopen(path, "rb")) {
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    fclose(f);
  }
  return text;
}

int SaveFilesLeft() {
  int count = 0;
  DIR* folder = opendir(".");
  while (struct dirent* entry = readdir(folder)) {
    if (strncmp(entry->d_name, ".quibbostate.", 13) == 0) ++count;
  }
  closedir(folder);
  return count;
}

}  // namespace

void vxInit() {}
int vxMain() { return 0; }
void gc_mark() {}

int main(int argc, const char** argv) {
  int wanted = argc > 1 ? atoi(argv[1]) : 50;
  const char* temp = getenv("TMPDIR");
  std::string pattern = std::string(temp && *temp ? temp : "/tmp") + "/save-kills-XXXXXX";
  std::vector<char> folder(pattern.begin(), pattern.end());
  folder.push_back(0);
  if (!mkdtemp(folder.data()) || chdir(folder.data()) != 0 || mkdir("data", 0755) != 0) return 1;
  vx_std_main(argc, argv);
  VxGlfwGame host;
  const std::string states[2] = {StateText(1), StateText(2)};
  host.SaveState(String(states[0].c_str()));

  std::mt19937 random(12345);
  std::uniform_int_distribution<int> delay(200, 20000);  // microseconds
  int kills = 0, duringSaves = 0, damaged = 0, leftAfterStart = 0, saves[2] = {0, 0};
  while (duringSaves < wanted && kills < wanted * 20) {
    pid_t child = fork();
    if (child == 0) {
      for (unsigned n = 0;; ++n) host.SaveState(String(states[n % 2].c_str()));
    }
    usleep(delay(random));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    ++kills;
    // A save's own file still there: the kill cut a save short.
    if (SaveFilesLeft() > 0) ++duringSaves;
    std::string now = ReadAll(".quibbostate");
    if (now == states[0]) {
      ++saves[0];
    } else if (now == states[1]) {
      ++saves[1];
    } else {
      ++damaged;
    }
    if (!SumsHold(now)) ++damaged;
    // The next start, in a process of its own as the game's would be.
    pid_t start = fork();
    if (start == 0) {
      vx_ClaimGameFolder();
      _exit(0);
    }
    int status = 0;
    waitpid(start, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++damaged;
    leftAfterStart += SaveFilesLeft();
  }
  printf("kills: %d, of them during a save (its own file left): %d\n", kills, duringSaves);
  printf("state file afterwards: old or new state %d + %d times, damaged %d times\n", saves[0], saves[1],
         damaged);
  printf("save files left after the next start: %d\n", leftAfterStart);
  std::string clear = std::string("rm -rf '") + folder.data() + "'";
  if (system(clear.c_str()) != 0) return 1;
  return damaged || leftAfterStart || duringSaves < wanted ? 1 : 0;
}
