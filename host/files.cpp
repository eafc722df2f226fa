// Files, data paths and the saved state.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "host/game_folder.h"
#include "host/glfw_game.h"
#include "runtime/collector.h"
#include "runtime/file_bytes.h"

namespace {

const char* const kStateFile = "./.quibbostate";
// The state file's name in its folder, which starts every save's own file.
const char* const kStateName = ".quibbostate";

// The file name as the C library wants it: UTF-8, zero-terminated.
char* NativePath(const String& path) {
  int size = 0;
  unsigned char* bytes = path.ToUtf8(&size);
  char* name = static_cast<char*>(realloc(bytes, static_cast<size_t>(size) + 1));
  if (!name) {
    free(bytes);
    return nullptr;
  }
  name[size] = 0;
  return name;
}

// The state is written in full to a file of this save's own beside the state
// file, then renamed over it, so that an interrupted save leaves the previous
// state in place. The file is created exclusively under a fresh name: a link
// planted in the folder is never followed, and two running copies of the
// game never write into the same file.
FILE* CreateFileBeside(const char* target, char** created) {
  static unsigned saves;
  size_t size = strlen(target) + 48;
  char* name = static_cast<char*>(malloc(size));
  if (!name) return nullptr;
  for (int attempt = 0; attempt < 100; ++attempt) {
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    snprintf(name, size, "%s.%ld-%u-%ld", target, static_cast<long>(getpid()), ++saves,
             static_cast<long>(now.tv_nsec));
    int fd = open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      break;
    }
    FILE* file = fdopen(fd, "wb");
    if (!file) {
      close(fd);
      remove(name);
      break;
    }
    *created = name;
    return file;
  }
  free(name);
  return nullptr;
}

// The process id of a save's own file, "<state file>.<pid>-<count>-<ns>";
// 0 for any other name.
long SavingProcess(const char* name) {
  size_t prefix = strlen(kStateName);
  if (strncmp(name, kStateName, prefix) != 0 || name[prefix] != '.') return 0;
  const char* p = name + prefix + 1;
  long pid = 0;
  for (int part = 0; part < 3; ++part) {
    if (part > 0 && *p++ != '-') return 0;
    if (*p < '0' || *p > '9') return 0;
    long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) value = value < 100000000000L ? value * 10 + (*p - '0') : value;
    if (part == 0) pid = value;
  }
  return *p == 0 && pid > 0 && pid <= INT_MAX ? pid : 0;
}

}  // namespace

int vx_RemoveStaleSaves() {
  DIR* folder = opendir(".");
  if (!folder) return 0;
  int removed = 0;
  while (struct dirent* entry = readdir(folder)) {
    long pid = SavingProcess(entry->d_name);
    // A save still in progress belongs to a live process; one whose process
    // is gone was cut short by a kill and will never be finished.
    if (pid && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH && unlink(entry->d_name) == 0) {
      ++removed;
    }
  }
  closedir(folder);
  return removed;
}

String VxGame::PathToFilePath(String) { return String(); }

String VxGlfwGame::PathToFilePath(String path) {
  if (!path.StartsWith(String("quibbo:"))) return path;
  static const char* const kSchemes[][2] = {
      {"quibbo://data/", "./data/"},
      {"quibbo://internal/", "./internal/"},
      {"quibbo://external/", "./external/"},
  };
  for (const auto& scheme : kSchemes) {
    String prefix(scheme[0]);
    if (path.StartsWith(prefix)) return String(scheme[1]) + path.Slice(prefix.Length());
  }
  return String();
}

FILE* VxGame::OpenFile(String path, String mode) {
  String file = PathToFilePath(path);
  if (!file.Length()) return nullptr;
  char* name = NativePath(file);
  char* how = mode.ToCString<char>();
  FILE* f = name ? fopen(name, how) : nullptr;
  free(name);
  free(how);
  return f;
}

String VxGame::LoadString(String path) {
  FILE* f = OpenFile(path, String("rb"));
  if (!f) return String();
  String text = String::Load(f);
  fclose(f);
  return text;
}

unsigned char* VxGame::LoadData(String path, int* length) {
  FILE* f = OpenFile(path, String("rb"));
  if (!f) return nullptr;
  int size = 0;
  unsigned char* data = vx_read_file(f, &size);
  bool failed = !data || ferror(f);
  fclose(f);
  if (failed) {
    free(data);
    return nullptr;
  }
  *length = size;
  gc_force_sweep = true;
  return data;
}

int VxGame::SaveState(String state) {
  char* target = NativePath(PathToFilePath(String(kStateFile)));
  char* temp = nullptr;
  FILE* f = target ? CreateFileBeside(target, &temp) : nullptr;
  if (!f) {
    free(target);
    return -1;
  }
  bool written = state.Save(f) && fflush(f) == 0 && fsync(fileno(f)) == 0;
  if (fclose(f) != 0) written = false;
  int result = 0;
  if (!written) {
    remove(temp);
    result = -2;
  } else if (rename(temp, target) != 0) {
    remove(temp);
    result = -1;
  }
  free(temp);
  free(target);
  return result;
}

String VxGame::LoadState() {
  FILE* f = OpenFile(String(kStateFile), String("rb"));
  if (!f) return String();
  String text = String::Load(f);
  fclose(f);
  return text;
}

void VxGame::GetDate(Array<int> date) {
  int n = date.Length();
  if (!n) return;
  time_t now = time(nullptr);
  struct tm local;
  localtime_r(&now, &local);
  const int fields[7] = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                         local.tm_min, local.tm_sec, 0};
  for (int i = 0; i < n && i < 7; ++i) date[i] = fields[i];
}
