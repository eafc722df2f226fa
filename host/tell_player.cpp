// Messages a player must see: standard error for a terminal, a desktop
// notification for a game started from a menu.
#include "host/tell_player.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "host/game.h"

void vx_RunDetached(const char* const* argv) {
  fflush(nullptr);
  pid_t child = fork();
  if (child == 0) {
    if (fork() == 0) {
      int null = open("/dev/null", O_RDWR);
      if (null >= 0) {
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
      }
      execvp(argv[0], const_cast<char* const*>(argv));
      _exit(127);
    }
    _exit(0);
  }
  if (child > 0) waitpid(child, nullptr, 0);
}

void vx_TellPlayer(const char* text) {
  fprintf(stderr, "%s\n", text);
  fflush(stderr);
  // Where there is no notify-send the grandchild simply ends.
  const char* const argv[] = {"notify-send", "--app-name=Tumblast - Ridazoz", "Tumblast - Ridazoz", text,
                              nullptr};
  vx_RunDetached(argv);
}

void vx_ReportUnloadable(const String& path, const char* reason) {
  String file = VxGame::_game ? VxGame::_game->PathToFilePath(path) : path;
  char* name = file.ToCString<char>();
  fprintf(stderr, "Tumblast - Ridazoz cannot load %s: %s\n", name, reason);
  fflush(stderr);
  free(name);
}
