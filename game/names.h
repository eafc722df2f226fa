#pragma once
// Names for the numbers the game is written in: the float layouts of a board
// cell, a particle and a draw command, and the ids of screens, images, sounds,
// logical keys, settings and sound options. The layouts and values are fixed
// by how the game plays and what its state file holds; only the names are
// chosen here, once, for the game, its tests and the benchmark.

// The board: ten columns (0 and 9 are walls) by 17 rows (12..16 the floor).
// Cell (x, y) has its record at float (x + 10y) * kCellFloats of m_Cells and
// its label at x + 10y of m_Labels.
const int kBoardColumns = 10;
const int kBoardRows = 17;
const int kFirstPlayColumn = 1;
const int kLastPlayColumn = 8;

// One board cell. A cell is at rest when every float after the type is 0;
// the floats not named here travel with the block and stay 0.
enum CellField {
  kCellType = 0,
  kCellOffsetX = 1,  // drawn this far from its place; eases to 0
  kCellOffsetY = 2,
  kCellFade = 7,  // dissolve level: 1 when it starts, gone below 0
  kCellFloats = 10,
};

// Cell types, kept as floats like the record: 0 empty, colours 1..9, a bomb,
// solids 11..20 that never match (walls are 11), and a dissolving block of
// type t as t + kDissolving.
const float kEmpty = 0.0f;
const float kBomb = 10.0f;
const float kWall = 11.0f;
const float kLastSolid = 20.0f;
const float kDissolving = 30.0f;

// One particle, ten floats at slot * kParticleFloats of m_Particles.
enum ParticleField {
  kParticleFrame = 0,  // image frame + 1; 0 while the slot is free
  kParticleX = 1,
  kParticleY = 2,
  kParticleVX = 3,
  kParticleVY = 4,
  kParticleAngle = 5,  // degrees
  kParticleSpin = 6,   // degrees per update
  kParticleLife = 7,   // alpha; the particle dies below 0
  kParticleFloats = 10,
};
// Particle slots in use; the array has a few more that stay untouched.
const int kParticleSlots = 251;

// One draw command, fifteen floats of m_DrawList; the kind is an image id or
// one of the two shape kinds. Floats 8, 9 and 14 are unused.
enum CommandField {
  kCommandKind = 0,
  kCommandX = 1,
  kCommandY = 2,
  kCommandRot = 3,
  kCommandW = 4,  // image scale, rectangle width or oval x radius
  kCommandH = 5,
  kCommandFrame = 6,
  kCommandAlpha = 7,
  kCommandRed = 10,
  kCommandGreen = 11,
  kCommandBlue = 12,
  kCommandBlend = 13,
  kCommandFloats = 15,
};
const float kRectCommand = -3717.0f;
const float kOvalCommand = -3716.0f;

// Screens (m_Screen). Screens from kScreenPlay on belong to a game.
enum ScreenId {
  kScreenMenu = 1,
  kScreenRecord = 2,  // records the last game's score, then the menu
  kScreenClickToStart = 5,
  kScreenPlay = 10,
  kScreenNewGame = 11,
};

// Image ids (m_Images, m_ImageInfo).
enum ImageId {
  kImgBricks = 1,
  kImgRing = 2,
  kImgBadges = 80,
  kImgFont = 90,
  kImgTestcard = 91,
  kImgIcade = 92,
  kImgStudioLogo = 93,
  kImgPad = 94,
  kImgButtons = 95,
  kImgParticles = 96,
  kImgIcons = 97,
  kImgTitleLogo = 98,
  kImgBackground = 99,
  kImageIds = 100,
};

// Frames of the icon sheet and of the big buttons.
enum IconFrame {
  kIconPause = 0,
  kIconQuit = 1,
  kIconResume = 3,
  kIconSoundOn = 4,
  kIconSoundOff = 5,
  kIconFocus = 6,
  kIconMusicMark = 7,  // + the sound option 1..3
  kIconBadges = 13,    // the title menu's badge button: a medal
};
const int kButtonSelected = 15;

// Sound effect ids (m_Sounds). 7, 9 and 10 are loaded but never played.
enum SoundId {
  kSfxLand = 1,
  kSfxBlast = 2,
  kSfxSlide = 3,
  kSfxExplode = 4,
  kSfxFuse = 5,
  kSfxGameOver = 6,
  kSfxDanger = 8,
  kSfxBadge = 95,  // a badge earned
  kSfxClick = 98,
  kSfxCredits = 99,
  kSoundIds = 100,
};

// Logical keys of p_PlayKey, and the m_Keys entries that feed them.
enum LogicalKey {
  kKeyUp = 0,
  kKeyLeft = 3,
  kKeyRight = 5,
  kKeyDown = 8,
  kKeyAction = 10,  // the first of four action buttons, 10..13
  kKeyAction2 = 11,
  kKeyAction3 = 12,
  kKeyAction4 = 13,
  kKeyBack = 99,
};
// m_Keys entries: 0..18 follow inputs this game never switches on; 16, 17
// and 19 (the back key's hit of this update) count as back.
const int kPadBackEntry = 16;
const int kPadBackEntry2 = 17;
const int kLastPadKey = 18;
const int kBackKeyEntry = 19;
const int kKeyEntries = 20;

// Entries of m_Settings.
enum SettingId {
  kSettingDifficulty = 1,  // the last chosen difficulty; 0 in older files
  kSettingSound = 5,
  kSettingPadX = 10,
  kSettingPadY = 11,
  kSettingPadSize = 12,
  kSettingBadgeCounters = 13,  // 13..20 count towards badges
  kSettingCount = 25,
};

// Sound options (m_Settings[kSettingSound]); any other value is silence.
enum SoundOption {
  kSoundOff = 0,
  kSoundAll = 1,
  kSoundEffects = 2,
  kSoundMusic = 3,
};

// High scores: per difficulty 1..3, ten best at (d - 1) * 10, and ten last
// at kLastScores + (d - 1) * 10.
const int kDifficulties = 3;
const int kTableEntries = 10;
const int kLastScores = 30;
