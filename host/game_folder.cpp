// The folder the game runs in: its data must be there, and only one copy of
// the game keeps its state there at a time. Two copies would each write
// their own scores over the other's; the second start is refused rather
// than merged, since the state file has no record of what changed since it
// was read.
#include "host/game_folder.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host/tell_player.h"

namespace {

std::string WorkingFolder() {
  char path[PATH_MAX];
  return getcwd(path, sizeof path) ? path : ".";
}

bool IsFolder(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The folder of the running executable, when the system tells it.
std::string ExecutableFolder() {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return std::string();
  path[n] = 0;
  char* slash = strrchr(path, '/');
  if (slash) *slash = 0;
  return path;
}

[[noreturn]] void Refuse(const std::string& text) {
  vx_TellPlayer(text.c_str());
  exit(-1);
}

void RequireData() {
  if (IsFolder("data")) return;
  std::string text = "Tumblast - Ridazoz cannot start: it looked for its data folder in " + WorkingFolder() +
                     "/data and found none. Start it with the command tumblast";
  std::string beside = ExecutableFolder();
  if (!beside.empty() && IsFolder(beside + "/data")) {
    text += ", or from the folder that holds its data: cd '" + beside + "' && ./tumblast";
  } else {
    text += ", or from the folder that holds its data folder";
  }
  Refuse(text + ".");
}

// The lock is on the folder itself, held until the process ends; it leaves
// no file behind. Where the file system cannot lock, the game runs as before.
void LockFolder() {
  int folder = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return;
  if (flock(folder, LOCK_EX | LOCK_NB) == 0) return;
  if (errno != EWOULDBLOCK) {
    close(folder);
    return;
  }
  Refuse("Tumblast - Ridazoz is already running in " + WorkingFolder() +
         ": only one game at a time keeps its scores in a folder.");
}

}  // namespace

void vx_ClaimGameFolder() {
  RequireData();
  LockFolder();
  vx_RemoveStaleSaves();
}
