// The board cursor: direction keys move a frame over the board's cells and
// the action key presses there as the mouse would. Everything it does goes
// through the update's pointer snapshot, taken before any screen runs; the
// board's rules never learn whether a key or the mouse moved a block.
#include "framework/input.h"
#include "game/my_app.h"

namespace {

// Logical keys, in the order of BoardCursor's directions.
const int kDirectionKeys[BoardCursor::kDirections] = {kKeyLeft, kKeyRight, kKeyUp, kKeyDown};
const int kStepX[BoardCursor::kDirections] = {-1, 1, 0, 0};
const int kStepY[BoardCursor::kDirections] = {0, 0, -1, 1};

// A held direction steps at once, again after this many updates, and then
// every kRepeatEvery updates.
const int kRepeatDelay = 15;
const int kRepeatEvery = 6;

const int kLastRow = kBoardRows - 1;
// Where the cursor starts when the middle columns hold no block: above the
// floor.
const int kStartCol = 4, kStartRow = 11;

int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

bool Grabbable(float type) { return type > kEmpty && type < kWall; }

// The point of cell (col, row) at rest, as the board places it: a cell is 48
// board units.
float RestX(const c_MyApp& app, int col) {
  return 48.0f * app.m_BoardScale * static_cast<float>(col) + app.m_BoardLeft;
}
float RestY(const c_MyApp& app, int row) {
  return 48.0f * app.m_BoardScale * static_cast<float>(row) + app.m_BoardTop;
}

// Counts the updates each direction has been held; true when one went down.
bool CountHeld(c_MyApp& app) {
  bool stepped = false;
  for (int d = 0; d < BoardCursor::kDirections; ++d) {
    int& held = app.m_Cursor.heldFor[d];
    if (!app.p_PlayKey(kDirectionKeys[d])) {
      held = 0;
    } else if (held >= 0) {
      held += 1;
      stepped |= held == 1;
    }
  }
  return stepped;
}

// The first key of a game puts the cursor on the lowest block of the middle
// columns.
void PlaceAtStart(c_MyApp& app) {
  BoardCursor& c = app.m_Cursor;
  c.col = kStartCol;
  c.row = kStartRow;
  for (int y = kLastRow; y >= 0; --y) {
    for (int x = kStartCol; x <= kStartCol + 1; ++x) {
      if (!Grabbable(app.m_Cells[app.p_CellIndex(x, y) + kCellType])) continue;
      c.col = x;
      c.row = y;
      return;
    }
  }
}

// The pointer snapshot the board reads: on the cursor's cell at rest,
// pressed while the action key holds a press.
void WritePointer(c_MyApp& app, bool actionPressed) {
  const BoardCursor& c = app.m_Cursor;
  app.p_LayOutBoard();
  int x = static_cast<int>(RestX(app, c.col));
  int y = static_cast<int>(RestY(app, c.row));
  app.m_MouseX = app.m_MouseXOld = x;
  app.m_MouseY = app.m_MouseYOld = y;
  app.m_MouseDown = c.pressing ? 1 : 0;
  app.m_MouseHit = c.pressing && actionPressed ? 1 : 0;
  app.m_TouchDown[0] = app.m_MouseDown;
  app.m_TouchX[0] = c.pressing ? x : static_cast<int>(c_MyApp::kOmitted);
  app.m_TouchY[0] = c.pressing ? y : static_cast<int>(c_MyApp::kOmitted);
}

}  // namespace

void c_MyApp::p_CursorInput() {
  BoardCursor& c = m_Cursor;
  float rawX = vx_input_MouseX(), rawY = vx_input_MouseY();
  bool mouseUsed = rawX != c.mouseX || rawY != c.mouseY || m_MouseDown != 0;
  c.mouseX = rawX;
  c.mouseY = rawY;

  bool playing = m_Screen == kScreenPlay && m_NeedLoad == 0 && m_Paused == 0 && m_GameOver == 0;
  bool action = p_PlayKey(kKeyAction);
  bool actionPressed = action && !c.actionWasDown;
  c.actionWasDown = action;
  if (!playing || mouseUsed || !action) c.pressing = false;
  // A game starts with the cursor hidden and unplaced; the mouse hides it
  // where it is.
  if (m_Screen != kScreenPlay || m_GameOver != 0 || mouseUsed) c.shown = false;
  if (m_Screen != kScreenPlay) c.col = 0;
  if (!playing) {
    // Keys held into play (from a menu, the pause overlay) do not step.
    for (int d = 0; d < BoardCursor::kDirections; ++d) c.heldFor[d] = p_PlayKey(kDirectionKeys[d]) ? -1 : 0;
    return;
  }

  bool stepped = CountHeld(*this);
  if (!c.shown) {
    // A key only shows where the cursor is.
    if (!stepped && !actionPressed) return;
    c.shown = true;
    if (c.col == 0) PlaceAtStart(*this);
    return;
  }

  if (actionPressed) c.pressing = true;
  if (c.pressing && m_Holding == 1) {
    // The press follows the held block down. A press left ahead of a block
    // that has come to rest without sliding there goes back onto the block.
    c.row = m_HeldRow;
    if (c.col != m_HeldCol && p_Static(m_HeldCol, m_HeldRow)) c.col = m_HeldCol;
  }
  p_CursorSteps();
  WritePointer(*this, actionPressed);
}

void c_MyApp::p_CursorSteps() {
  BoardCursor& c = m_Cursor;
  // A held block only slides: its press moves sideways.
  bool sideways = c.pressing && m_Holding == 1;
  for (int d = 0; d < BoardCursor::kDirections; ++d) {
    int held = c.heldFor[d];
    bool step = held == 1 || (held > kRepeatDelay && (held - 1 - kRepeatDelay) % kRepeatEvery == 0);
    if (!step || (sideways && kStepY[d] != 0)) continue;
    c.col = Clamp(c.col + kStepX[d], kFirstPlayColumn, kLastPlayColumn);
    c.row = Clamp(c.row + kStepY[d], 0, kLastRow);
  }
}

void c_MyApp::p_DrawCursor() {
  const BoardCursor& c = m_Cursor;
  if (!c.shown || m_Paused != 0 || m_GameOver != 0) return;
  float s = m_BoardScale;
  // Around the held block where it is drawn, easing included; otherwise
  // around the cell at rest. A block's face sits left of and below its
  // cell's point, where the marker ring goes too.
  float cx = RestX(*this, c.col), cy = RestY(*this, c.row);
  if (c.pressing && m_Holding == 1) {
    p_CellPos(m_HeldCol, m_HeldRow);
    cx = m_CellX;
    cy = m_CellY;
  }
  cx -= 8.0f * s;
  cy += 8.0f * s;
  float half = 26.0f * s, line = 3.0f * s;
  p_ResetDraw();
  // A dark rim under a bright frame shows on light and dark blocks alike.
  for (int pass = 0; pass < 2; ++pass) {
    float h = half + (pass == 0 ? s : 0.0f), w = pass == 0 ? line + 2.0f * s : line;
    if (pass == 0) {
      p_SetCol(0.0f, 0.0f, 0.0f, 0.6f);
    } else {
      p_SetCol(255.0f, c.pressing ? 150.0f : 230.0f, c.pressing ? 40.0f : 80.0f, 1.0f);
    }
    p_Rect(cx - h, cy - h, 2.0f * h, w);
    p_Rect(cx - h, cy + h - w, 2.0f * h, w);
    p_Rect(cx - h, cy - h + w, w, 2.0f * h - 2.0f * w);
    p_Rect(cx + h - w, cy - h + w, w, 2.0f * h - 2.0f * w);
  }
  p_ResetDraw();
}
