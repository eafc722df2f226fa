#pragma once
// The folder the game runs in, made ready before the window opens.

// Ends the process with a message the player sees when the folder cannot
// hold a game: no data folder, or another copy of the game already playing
// there. Otherwise keeps the folder for this copy until it ends and clears
// away saves that a killed copy left half-written.
void vx_ClaimGameFolder();

// Removes the temporary files of saves whose process is gone; returns how
// many it removed.
int vx_RemoveStaleSaves();
