#pragma once
// The board cursor: the keyboard's and the gamepad's way onto the board. It
// makes no rule of its own; it only fills in the pointer that the update's
// snapshot hands to the board, so a game played by keys plays by the very
// rules of a game played by the mouse.

// Plain data kept in the game object.
struct BoardCursor {
  // Directions in the order of the steps they make.
  enum Direction { kLeft, kRight, kUp, kDown, kDirections };

  // Shown from the first key of a game until the mouse is used.
  bool shown = false;
  // The cell under the cursor: columns 1..8, rows 0..16.
  int col = 0, row = 0;
  // The action key holds a press on that cell.
  bool pressing = false;
  // The action key as the last update saw it: a press begins only when it
  // goes down during play.
  bool actionWasDown = false;
  // Updates each direction has been held during play; -1 for a key held
  // since before, which steps only once let go and pressed again.
  int heldFor[kDirections] = {};
  // The window pointer as the last update saw it: any move hands the board
  // back to the mouse.
  float mouseX = 0, mouseY = 0;
};
