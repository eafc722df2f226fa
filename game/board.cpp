// The rules of the board: resting, falling, easing, the held block, groups
// and their blasts, dissolving, new drops, the bomb fuse and the particles.
// Every random draw and every exact float test here is part of how the game
// plays, so their number and order are kept as they are.
#include "framework/random.h"
#include "game/my_app.h"

namespace {

const int kColumns = kBoardColumns;
// The records after the last row are read as the row below it and stay empty.
const int kRows = kBoardRows;

// A block that can be grabbed, grouped and blasted: a colour or a bomb.
bool IsLive(float type) { return type > kEmpty && type < kWall; }

}  // namespace

int c_MyApp::p_CellIndex(int x, int y) { return (x + kColumns * y) * kCellFloats; }

bool c_MyApp::p_Static(int x, int y) {
  int k = p_CellIndex(x, y);
  for (int i = kCellType + 1; i < kCellFloats; ++i) {
    if (m_Cells[k + i] != 0.0f) return false;
  }
  return true;
}

int c_MyApp::p_Rand(float lo, float hi) { return vx_random_Rand(lo, hi); }

int c_MyApp::p_Scan(int a, int b) {
  // Label 0 means "no group": relabelling it would pull every loose cell in.
  if (a == 0) return 0;
  for (int x = kFirstPlayColumn; x <= kLastPlayColumn; ++x) {
    for (int y = 0; y < kRows; ++y) {
      if (m_Labels[x + kColumns * y] == a) m_Labels[x + kColumns * y] = b;
    }
  }
  return 0;
}

int c_MyApp::p_Fall(float x, float y, int n) {
  p_SpawnParticles(x, y, n, false);
  return 0;
}

int c_MyApp::p_Blast(float x, float y, int n) {
  p_SpawnParticles(x, y, n, true);
  return 0;
}

void c_MyApp::p_CellPos(int x, int y) {
  float s = m_BoardScale;
  int k = p_CellIndex(x, y);
  m_CellX = 48.0f * s * static_cast<float>(x) + m_BoardLeft + s * m_Cells[k + kCellOffsetX];
  m_CellY = 48.0f * s * static_cast<float>(y) + m_BoardTop + s * m_Cells[k + kCellOffsetY];
}

void c_MyApp::p_MoveCell(int from, int to) {
  for (int i = 0; i < kCellFloats; ++i) {
    m_Cells[to + i] = m_Cells[from + i];
    m_Cells[from + i] = 0.0f;
  }
}

// First grouping pass, done as the board pass reaches the cell: the left
// and lower cells already carry this update's labels.
void c_MyApp::p_LabelCell(int x, int y) {
  int k = p_CellIndex(x, y);
  int cell = x + kColumns * y;
  float type = m_Cells[k + kCellType];
  if (IsLive(type)) {
    m_Labels[cell] = m_BlockCount;
    m_BlockCount += 1;
  }
  if (x > 0 && m_Cells[k - kCellFloats + kCellType] == type) m_Labels[cell] = m_Labels[cell - 1];
  if (y <= 15 && m_Cells[p_CellIndex(x, y + 1) + kCellType] == type) m_Labels[cell] = m_Labels[cell + kColumns];
}

void c_MyApp::p_EaseOffsets(int x, int y) {
  int k = p_CellIndex(x, y);
  if (m_Cells[k + kCellOffsetX] < 0.0f) {
    m_Cells[k + kCellOffsetX] += 8.0f + 8.0f * vx_random_Next();
    if (m_Cells[k + kCellOffsetX] > 0.0f) m_Cells[k + kCellOffsetX] = 0.0f;
  }
  if (m_Cells[k + kCellOffsetY] < 0.0f) {
    m_Cells[k + kCellOffsetY] += 8.0f + 8.0f * vx_random_Next();
    if (m_Cells[k + kCellOffsetY] > 0.0f) {
      m_Cells[k + kCellOffsetY] = 0.0f;
      if (m_Cells[p_CellIndex(x, y + 1) + kCellType] > kEmpty && p_Static(x, y + 1)) m_LandCue = 1;
    }
  }
  if (m_Cells[k + kCellOffsetX] > 0.0f) {
    m_Cells[k + kCellOffsetX] -= 8.0f + 8.0f * vx_random_Next();
    if (m_Cells[k + kCellOffsetX] < 0.0f) m_Cells[k + kCellOffsetX] = 0.0f;
  }
  if (m_Cells[k + kCellOffsetY] > 0.0f) {
    m_Cells[k + kCellOffsetY] -= 8.0f + 8.0f * vx_random_Next();
    if (m_Cells[k + kCellOffsetY] < 0.0f) m_Cells[k + kCellOffsetY] = 0.0f;
  }
}

void c_MyApp::p_Gravity(int x, int y) {
  int k = p_CellIndex(x, y);
  int above = p_CellIndex(x, y - 1);
  if (m_Cells[k + kCellType] == kEmpty && m_Cells[above + kCellType] > kEmpty && p_Static(x, y) && p_Static(x, y - 1)) {
    p_MoveCell(above, k);
    // Drawn where it was, then eased down into the cell.
    m_Cells[k + kCellOffsetY] = -48.0f;
    if (x == m_HeldCol && y == m_HeldRow + 1) m_HeldRow = y;
  }
}

// Fuse, grabbing and sliding for one cell; held0 is m_Holding as the update
// found it.
void c_MyApp::p_TouchCell(int x, int y, int held0) {
  float s = m_BoardScale;
  float type = m_Cells[p_CellIndex(x, y) + kCellType];
  bool over = p_MouseIn_Centered(m_CellX, m_CellY, 64.0f * s, 64.0f * s);
  bool isHeld = x == m_HeldCol && y == m_HeldRow;
  if (over && type == static_cast<float>(m_HeldType) && held0 > 0 && isHeld && type == kBomb) {
    m_Fuse += 1.0f;
  }
  if (over && IsLive(type) && held0 == 0 && m_MouseDown > 0) {
    m_Holding = 1;
    m_HeldCol = x;
    m_HeldRow = y;
    m_Fuse = 0.0f;
  } else if (held0 == 1 && isHeld) {
    p_SlideHeld(x, y);
  }
}

void c_MyApp::p_SlideHeld(int x, int y) {
  float s = m_BoardScale;
  int k = p_CellIndex(x, y);
  int below = p_CellIndex(x, y + 1);
  m_HeldX = m_CellX - 8.0f * s;
  m_HeldY = m_CellY + 8.0f * s;
  m_HeldType = static_cast<int>(m_Cells[k + kCellType]);
  float mouseX = static_cast<float>(m_MouseX);
  int left = k - kCellFloats;
  // The top-left corner has no record to its left.
  if (m_HeldX - 28.0f * s > mouseX && left >= 0 && m_Cells[left + kCellType] == kEmpty &&
      m_Cells[k + kCellType] > kEmpty && m_Cells[below + kCellType] > kEmpty && p_Static(x, y) && p_Static(x - 1, y)) {
    p_MoveCell(k, left);
    m_Cells[left + kCellOffsetX] = 48.0f;
    p_PlaySFX(kSfxSlide, 1.0f, 1.0f, 0.0f);
    m_HeldCol -= 1;
  }
  int right = k + kCellFloats;
  if (mouseX > m_HeldX + 28.0f * s && m_Cells[right + kCellType] == kEmpty && m_Cells[k + kCellType] > kEmpty &&
      m_Cells[below + kCellType] > kEmpty && p_Static(x, y) && p_Static(x + 1, y)) {
    p_MoveCell(k, right);
    m_Cells[right + kCellOffsetX] = -48.0f;
    p_PlaySFX(kSfxSlide, 1.0f, 1.0f, 0.0f);
    m_HeldCol += 1;
  }
}

void c_MyApp::p_Dissolve(int x, int y) {
  int k = p_CellIndex(x, y);
  if (m_Cells[k + kCellType] > kDissolving) {
    p_Alpha(m_Cells[k + kCellFade]);
    m_Cells[k + kCellFade] -= 0.03f + 0.04f * vx_random_Next();
    if (m_Cells[k + kCellFade] < 0.0f) {
      m_Cells[k + kCellType] = kEmpty;
      m_Cells[k + kCellFade] = 0.0f;
    }
  }
}

void c_MyApp::p_DrawCell(int x, int y) {
  if (x == 0 || x == 9) {
    p_DrawImg(kImgBricks, m_CellX, m_CellY, static_cast<float>((3 * y + x) % 10 + 10));
  } else if (m_Frame > 0) {
    p_DrawImg(kImgBricks, m_CellX, m_CellY, static_cast<float>(m_Frame - 1));
  }
}

void c_MyApp::p_BoardPass(int held0) {
  for (int x = 0; x < kColumns; ++x) {
    for (int y = kRows - 1; y >= 0; --y) {
      m_X = x;
      m_Y = y;
      int k = p_CellIndex(x, y);
      int cell = x + kColumns * y;
      m_Labels[cell] = 0;
      m_LabelCount[cell] = 0;
      if (y <= 1 && x >= kFirstPlayColumn && x <= kLastPlayColumn && m_Cells[k + kCellType] > kEmpty) m_Danger = 1;
      p_LabelCell(x, y);
      if (m_Paused == 0) p_EaseOffsets(x, y);
      if (y >= 1) p_Gravity(x, y);

      p_CellPos(x, y);
      m_Frame = static_cast<int>(m_Cells[k + kCellType]);
      if (m_Frame >= 1 && m_Frame <= 10 && m_Holding > 0 && x == m_HeldCol && y == m_HeldRow) {
        m_Frame += 20;
        m_HeldIndex = k;
      }
      p_TouchCell(x, y, held0);
      // A moving or dissolving block is in no group.
      if (!p_Static(x, y)) m_Labels[cell] = 0;

      p_Alpha(1.0f);
      p_Dissolve(x, y);
      p_DrawCell(x, y);
    }
  }
}

void c_MyApp::p_CopyLabels() {
  for (int x = kLastPlayColumn; x >= kFirstPlayColumn; --x) {
    for (int y = 0; y < kRows; ++y) {
      int k = p_CellIndex(x, y);
      int cell = x + kColumns * y;
      if (m_Cells[k + kCellType] == m_Cells[k + kCellFloats + kCellType]) m_Labels[cell] = m_Labels[cell + 1];
      if (y > 0 && m_Cells[k + kCellType] == m_Cells[p_CellIndex(x, y - 1) + kCellType])
        m_Labels[cell] = m_Labels[cell - kColumns];
    }
  }
}

void c_MyApp::p_MergeLabels() {
  for (int x = kFirstPlayColumn; x <= kLastPlayColumn; ++x) {
    for (int y = kRows - 1; y >= 0; --y) {
      int k = p_CellIndex(x, y);
      int cell = x + kColumns * y;
      float type = m_Cells[k + kCellType];
      float below = m_Cells[p_CellIndex(x, y + 1) + kCellType];
      if (type == m_Cells[k - kCellFloats + kCellType]) p_Scan(m_Labels[cell], m_Labels[cell - 1]);
      if (y <= 15 && type == below) p_Scan(m_Labels[cell], m_Labels[cell + kColumns]);
      // Only a live block standing on something counts.
      if (type > kBomb || type < 1.0f || below == kEmpty) m_Labels[cell] = 0;
    }
  }
}

void c_MyApp::p_CountLabels() {
  for (int x = 0; x < kColumns; ++x) {
    for (int y = 0; y < kRows; ++y) {
      m_LabelCount[m_Labels[x + kColumns * y]] += 1;
    }
  }
}

void c_MyApp::p_Flash(int type) {
  static const float kFlash[10][3] = {
      {80, 30, 30}, {80, 60, 30}, {80, 80, 30}, {30, 80, 30},   {30, 80, 80},
      {30, 30, 80}, {80, 30, 80}, {60, 60, 60}, {100, 100, 100}, {0, 0, 0},
  };
  if (type < 1 || type > 10) return;
  m_BgRed = kFlash[type - 1][0];
  m_BgGreen = kFlash[type - 1][1];
  m_BgBlue = kFlash[type - 1][2];
}

// One group blasts per update: the first one met, leftmost column first.
void c_MyApp::p_BlastGroup() {
  int group = 0;
  for (int x = 0; x < kColumns; ++x) {
    for (int y = 0; y < kRows; ++y) {
      int k = p_CellIndex(x, y);
      int label = m_Labels[x + kColumns * y];
      float type = m_Cells[k + kCellType];
      if (m_LabelCount[label] > 2 && label > 0 && IsLive(type) && (group == 0 || group == label)) {
        p_CellPos(x, y);
        p_Flash(static_cast<int>(type));
        m_Cells[k + kCellType] = type + kDissolving;
        m_Cells[k + kCellFade] = 1.0f;
        p_Fall(m_CellX, m_CellY, 8);
        group = label;
        if (m_GameOver == 0) m_Score += 5 * m_LabelCount[label];
      }
    }
  }
  if (group != 0) p_PlaySFX(kSfxBlast, 1.0f, 1.0f, 0.0f);
  if (group != 0) p_BadgeBlast(m_LabelCount[group]);
}

void c_MyApp::p_DropBlock() {
  if (m_Paused == 0) m_SpawnTimer -= 1;
  if (m_SpawnTimer > 0 && m_BlockCount > 15) return;

  m_SpawnCol = 0;
  if (m_Cells[p_CellIndex(4, 0) + kCellType] == kEmpty && p_Static(4, 0)) m_SpawnCol = 4;
  if (m_BlockCount <= 15) {
    // A sparse board takes drops in any free column.
    m_SpawnCol = 0;
    for (int x = kFirstPlayColumn; x <= kLastPlayColumn; ++x) {
      if (m_Cells[p_CellIndex(x, 0) + kCellType] == kEmpty && p_Static(x, 0) && p_Rand(0.0f, 8.0f) < 2) m_SpawnCol = x;
    }
  }
  if (m_SpawnCol <= 0) return;

  m_SpawnTimer = m_SpawnInterval;
  if (m_BlockCount > 15) m_SpawnInterval -= 1;
  if (m_SpawnInterval < 20) m_SpawnInterval = 20;
  int k = p_CellIndex(m_SpawnCol, 0);
  m_Cells[k + kCellType] = static_cast<float>(p_Rand(1.0f, static_cast<float>(m_Colours)));
  for (int i = kCellType + 1; i < kCellFloats; ++i) m_Cells[k + i] = 0.0f;
  m_Cells[k + kCellOffsetY] = -64.0f;
  if (p_Rand(0.0f, 10.0f) == 0) m_Cells[k + kCellType] = kBomb;
}

void c_MyApp::p_SpawnParticles(float x, float y, int n, bool flying) {
  float s = m_BoardScale;
  float cx = x - 8.0f * s;
  float cy = y + 8.0f * s;
  for (int i = 0; i <= n; ++i) {
    int slot = kParticleSlots - 1;
    while (slot >= 0 && m_Particles[slot * kParticleFloats + kParticleFrame] != 0.0f) --slot;
    if (slot < 0) continue;
    int p = slot * kParticleFloats;
    m_ParticleIndex = p;
    m_Particles[p + kParticleFrame] = static_cast<float>(p_Rand(1.0f, 16.0f));
    m_Particles[p + kParticleX] = cx + (vx_random_Next() * 48.0f * s - 24.0f * s);
    m_Particles[p + kParticleY] = cy + (vx_random_Next() * 48.0f * s - 24.0f * s);
    if (flying) {
      m_Particles[p + kParticleVX] = vx_random_Next() * 24.0f - 12.0f;
      m_Particles[p + kParticleVY] = vx_random_Next() * 22.0f - 16.0f;
    } else {
      m_Particles[p + kParticleVX] = 0.0f;
      m_Particles[p + kParticleVY] = 0.0f;
    }
    m_Particles[p + kParticleAngle] = vx_random_Next() * 360.0f;
    m_Particles[p + kParticleSpin] = vx_random_Next() * 4.0f - 2.0f;
    m_Particles[p + kParticleLife] = 1.0f;
  }
}

void c_MyApp::p_UpdateParticles() {
  for (int i = 0; i < kParticleSlots; ++i) {
    int p = i * kParticleFloats;
    if (!(m_Particles[p + kParticleFrame] > 0.0f)) continue;
    m_ParticleIndex = p;
    m_Particles[p + kParticleX] += m_Particles[p + kParticleVX];
    m_Particles[p + kParticleY] += m_Particles[p + kParticleVY];
    m_Particles[p + kParticleVY] += 0.1f + 0.2f * vx_random_Next();
    m_Particles[p + kParticleAngle] += m_Particles[p + kParticleSpin];
    p_SetRot(m_Particles[p + kParticleAngle]);
    p_Alpha(m_Particles[p + kParticleLife]);
    p_DrawImg(kImgParticles, m_Particles[p + kParticleX], m_Particles[p + kParticleY],
              m_Particles[p + kParticleFrame] - 1.0f);
    m_Particles[p + kParticleLife] -= 0.01f + 0.01f * vx_random_Next();
    if (m_Particles[p + kParticleLife] < 0.0f) m_Particles[p + kParticleFrame] = 0.0f;
  }
}

// A held bomb ticks at 20, 40 and 60 and goes off past 79.
void c_MyApp::p_BombFuse() {
  if (m_Fuse == 20.0f || m_Fuse == 40.0f || m_Fuse == 60.0f) {
    p_PlaySFX(kSfxFuse, m_Fuse / 90.0f + 0.8f, 1.0f, 0.0f);
    m_Fuse += 1.0f;
  }
  if (!(m_Fuse > 79.0f)) return;
  float s = m_BoardScale;
  p_PlaySFX(kSfxExplode, 1.0f, 1.0f, 0.0f);
  p_Explode(m_HeldIndex, m_HeldX, m_HeldY, 16);
  p_Explode(m_HeldIndex - kCellFloats, m_HeldX - 48.0f * s, m_HeldY, 12);
  p_Explode(m_HeldIndex + kCellFloats, m_HeldX + 48.0f * s, m_HeldY, 12);
  p_Explode(m_HeldIndex + kColumns * kCellFloats, m_HeldX, m_HeldY + 48.0f * s, 12);
  if (m_HeldIndex > 100) p_Explode(m_HeldIndex - kColumns * kCellFloats, m_HeldX, m_HeldY - 48.0f * s, 12);
  m_Holding = 0;
  p_BadgeExplosion();
}

// Destroys one block caught in an explosion; bombs among them do not go off.
void c_MyApp::p_Explode(int index, float x, float y, int n) {
  if (index < 0 || index + kCellFloats > m_Cells.Length()) return;
  float type = m_Cells[index + kCellType];
  if (IsLive(type)) {
    m_Cells[index + kCellType] = type + kDissolving;
    m_Cells[index + kCellFade] = 1.0f;
    p_Blast(x, y, n);
  }
}
