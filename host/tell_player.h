#pragma once
// Messages a player must see even when the game was started from a menu and
// no terminal shows its output.

// Writes the text as one line to standard error and, where the desktop has
// `notify-send`, shows it as a notification too. Returns at once.
void vx_TellPlayer(const char* text);

// Runs a program found on the PATH in a detached grandchild, its output
// discarded, so that the game neither waits for it nor leaves a zombie.
void vx_RunDetached(const char* const* argv);
