#pragma once
#include "runtime/string.h"

// Messages for the player, also when the game was started from a menu and
// no terminal shows its output, and the desktop's helper programs.

// Writes the text as one line to standard error and, where the desktop has
// `notify-send`, shows it as a notification too. Returns at once.
void vx_TellPlayer(const char* text);

// Runs a program found on the PATH in a detached grandchild, its output
// discarded, so that the game neither waits for it nor leaves a zombie.
void vx_RunDetached(const char* const* argv);

// One line on standard error naming a file the game could not load and why;
// the path is the program's, shown as the file it maps to.
void vx_ReportUnloadable(const String& path, const char* reason);
